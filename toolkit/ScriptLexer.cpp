#include "toolkit/ScriptLexer.h"

#include "platform/engine/Engine.h"

#include <array>
#include <cstring>
#include <string>

namespace {

struct Keyword {
    constexpr Keyword(const char* t, int code)
        : text(t), length(std::char_traits<char>::length(t)), token(code) {}
    const char* text;
    std::size_t length;
    int token;
};

// Matched in this order by prefix: longer keywords that share a beginning
// with a shorter one ("ALPHABLEND", "ALPHA") must come first. The
// punctuation keywords are single characters found through kCharKinds.
constexpr Keyword kKeywords[] = {
    {"true", kTokenBool},
    {"false", kTokenBool},
    {"Include", kTokenInclude},
    {"Resource", kTokenResource},
    {"Texture", kTokenTexture},
    {"Sound", kTokenSound},
    {"Music", kTokenMusic},
    {"Stream", kTokenStream},
    {"Target", kTokenTarget},
    {"Sprite", kTokenSprite},
    {"Animation", kTokenAnimation},
    {"Font", kTokenFont},
    {"Particle", kTokenParticle},
    {"Distortion", kTokenDistortion},
    {"StringTable", kTokenStringTable},
    {"filename", kParamFilename},
    {"resgroup", kParamResgroup},
    {"mipmap", kParamMipmap},
    {"amplify", kParamAmplify},
    {"size", kParamSize},
    {"zbuffer", kParamZbuffer},
    {"texture", kParamTexture},
    {"rect", kParamRect},
    {"hotspot", kParamHotspot},
    {"blendmode", kParamBlendmode},
    {"color", kParamColor},
    {"zorder", kParamZorder},
    {"flip", kParamFlip},
    {"scale", kParamScale},
    {"proportion", kParamProportion},
    {"rotation", kParamRotation},
    {"frames", kParamFrames},
    {"fps", kParamFps},
    {"mode", kParamMode},
    {"tracking", kParamTracking},
    {"spacing", kParamSpacing},
    {"sprite", kParamSprite},
    {"mesh", kParamMesh},
    {"COLORMUL", kValueColorMul},
    {"COLORADD", kValueColorAdd},
    {"ALPHABLEND", kValueAlphaBlend},
    {"ALPHAADD", kValueAlphaAdd},
    {"ZWRITE", kValueZWrite},
    {"NOZWRITE", kValueNoZWrite},
    {"FORWARD", kValueForward},
    {"REVERSE", kValueReverse},
    {"PINGPONG", kValuePingPong},
    {"NOPINGPONG", kValueNoPingPong},
    {"LOOP", kValueLoop},
    {"NOLOOP", kValueNoLoop},
    {"CIRCLE", kValueCircle},
    {"RECT", kValueRect},
    {"ALPHA", kValueAlpha},
};

// What a character means to the scanner. Every token is told apart by its
// first character alone, so one table lookup picks the way to read it.
enum CharKind : unsigned char {
    kWordChar = 0, // anything else: a keyword or a bare word
    kBlank,        // tab, carriage return, space
    kLineFeed,
    kComment,
    kEndOfText,
    kQuote,
    kNumberStart, // digits, '-' and '.'
    kPunctuation, // the one-character keywords
};

constexpr std::array<CharKind, 256> MakeCharKinds() {
    std::array<CharKind, 256> kinds{};
    kinds['\t'] = kinds['\r'] = kinds[' '] = kBlank;
    kinds['\n'] = kLineFeed;
    kinds[';'] = kComment;
    kinds['\0'] = kEndOfText;
    kinds['"'] = kQuote;
    for (char c = '0'; c <= '9'; ++c)
        kinds[static_cast<unsigned char>(c)] = kNumberStart;
    kinds['-'] = kinds['.'] = kNumberStart;
    for (char c : {'=', ':', ',', '{', '}'})
        kinds[static_cast<unsigned char>(c)] = kPunctuation;
    return kinds;
}

constexpr std::array<CharKind, 256> kCharKinds = MakeCharKinds();

// Characters that end a bare word, and those that go on a number.
constexpr std::array<bool, 256> MakeSet(const char* chars, bool withNul) {
    std::array<bool, 256> set{};
    for (const char* c = chars; *c; ++c)
        set[static_cast<unsigned char>(*c)] = true;
    set[0] = withNul;
    return set;
}

constexpr std::array<bool, 256> kEndsWord = MakeSet("\t\n\r ,:={}", true);
constexpr std::array<bool, 256> kInNumber = MakeSet("0123456789.-", false);
constexpr std::array<bool, 256> kHexLetter = MakeSet("ABCDEFabcdef", false);

bool In(const std::array<bool, 256>& set, char c) {
    return set[static_cast<unsigned char>(c)];
}

// The most keywords of the table that share a first character.
constexpr std::size_t MostWithOneFirstChar() {
    std::size_t most = 0;
    for (const Keyword& a : kKeywords) {
        std::size_t same = 0;
        for (const Keyword& b : kKeywords) {
            same += a.text[0] == b.text[0];
        }
        most = same > most ? same : most;
    }
    return most;
}

// The keywords by their first character, each bucket in table order, so a
// word is compared only with the few keywords that can begin it.
struct KeywordBuckets {
    static constexpr std::size_t kMaxPerChar = 8;
    static_assert(MostWithOneFirstChar() <= kMaxPerChar, "a keyword bucket would overflow");

    constexpr KeywordBuckets() {
        for (const Keyword& keyword : kKeywords) {
            auto first = static_cast<unsigned char>(keyword.text[0]);
            buckets[first][sizes[first]++] = &keyword;
        }
    }
    const Keyword* buckets[256][kMaxPerChar] = {};
    unsigned char sizes[256] = {};
};

constexpr KeywordBuckets kBuckets;

// The first keyword of the table that begins the word. Keywords hold no
// character that ends a word, so one that begins the text lies inside it.
const Keyword* MatchKeyword(const char* word, std::size_t length) {
    auto first = static_cast<unsigned char>(word[0]);
    const Keyword* const* bucket = kBuckets.buckets[first];
    for (std::size_t i = 0, n = kBuckets.sizes[first]; i < n; ++i) {
        const Keyword* keyword = bucket[i];
        if (keyword->length > length)
            continue;
        // Compared in line: the texts are a few characters long and nearly
        // every mismatch shows at the second.
        std::size_t j = 1;
        while (j < keyword->length && word[j] == keyword->text[j])
            ++j;
        if (j == keyword->length)
            return keyword;
    }
    return nullptr;
}

void CopyCut(char* dest, const char* src, std::size_t length) {
    if (length >= ScriptLexer::kTextSize)
        length = ScriptLexer::kTextSize - 1;
    std::memcpy(dest, src, length);
    dest[length] = '\0';
}

} // namespace

ScriptLexer::ScriptLexer(const char* text, const char* scriptName)
    : m_engine(EngineCreate(ENGINE_VERSION)), m_pos(text), m_tokenStart(text), m_textStart(text) {
    CopyCut(m_scriptName, scriptName, std::strlen(scriptName));
    m_text[0] = '\0';
}

ScriptLexer::~ScriptLexer() {
    if (m_engine)
        m_engine->Release();
}

int ScriptLexer::ScanFrom(const char* p) {
    for (;;) {
        switch (kCharKinds[static_cast<unsigned char>(*p)]) {
        case kBlank:
            ++p;
            continue;
        case kLineFeed:
            ++m_line;
            ++p;
            continue;
        case kComment:
            while (*p != '\0' && *p != '\n' && *p != '\r')
                ++p;
            continue;
        case kEndOfText:
            m_tokenStart = m_pos = p;
            SetText(p, 0);
            return m_token = kTokenEnd;
        case kQuote:
            m_tokenStart = p;
            return m_token = ScanQuoted(p);
        case kNumberStart:
            m_tokenStart = p;
            return m_token = ScanNumber(p);
        case kPunctuation:
            m_tokenStart = p;
            m_pos = p + 1;
            SetText(p, 1);
            return m_token =
                       script_lexer_detail::kPunctuationTokens[static_cast<unsigned char>(*p)];
        case kWordChar:
            m_tokenStart = p;
            return m_token = ScanKeywordOrWord(p);
        }
    }
}

int ScriptLexer::ScanQuoted(const char* p) {
    const char* start = ++p;
    while (*p != '\0' && *p != '"' && *p != '\n' && *p != '\r')
        ++p;
    SetText(start, static_cast<std::size_t>(p - start));
    // The closing character goes with the string; a line feed taken here is
    // not counted, as the script's authors have always had it.
    m_pos = *p != '\0' ? p + 1 : p;
    return kTokenString;
}

int ScriptLexer::ScanNumber(const char* p) {
    const char* start = p;
    while (In(kInNumber, *p))
        ++p;
    int token = kTokenNumber;
    // Colours such as 80FFFFFF begin with digits; the letters make it text.
    if (In(kHexLetter, *p)) {
        while (In(kHexLetter, *p))
            ++p;
        token = kTokenString;
    }
    SetText(start, static_cast<std::size_t>(p - start));
    m_pos = p;
    return token;
}

int ScriptLexer::ScanKeywordOrWord(const char* p) {
    const char* start = p;
    while (!In(kEndsWord, *p))
        ++p;
    const auto length = static_cast<std::size_t>(p - start);
    if (const Keyword* keyword = MatchKeyword(start, length)) {
        SetText(start, keyword->length);
        m_pos = start + keyword->length;
        return keyword->token;
    }
    SetText(start, length);
    m_pos = p;
    return kTokenString;
}

const char* ScriptLexer::Text() const {
    // Most tokens are read through View(); the copy is made for those asked
    // for as a C string.
    if (!m_textCopied) {
        std::memcpy(m_text, m_textStart, m_textLength);
        m_text[m_textLength] = '\0';
        m_textCopied = true;
    }
    return m_text;
}

void ScriptLexer::Rewind() {
    m_pos = m_tokenStart;
}

void ScriptLexer::Report(const char* prefix, const char* suffix) const {
    if (!m_engine)
        return;
    const char* text = Text();
    m_engine->System_Log("%s, line %d: %s'%s'%s", m_scriptName, m_line, prefix,
                         text[0] ? text : "<EOF>", suffix);
}
