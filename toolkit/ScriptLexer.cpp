#include "toolkit/ScriptLexer.h"

#include "platform/engine/Engine.h"

#include <array>
#include <cstdint>
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

bool SameText(const char* a, const char* b, std::size_t from, std::size_t length) {
    // In line: the texts are a few characters long and nearly every
    // mismatch shows at once.
    std::size_t i = from;
    while (i < length && a[i] == b[i])
        ++i;
    return i == length;
}

// Finds keywords two ways. A word that is exactly a keyword, as nearly all
// are, is found through a hash of its length, first and last characters that
// gives every keyword its own slot. Only when a keyword might begin a longer
// word (its first two characters say so) are the keywords of that first
// character tried by prefix, in table order.
class KeywordTable {
public:
    constexpr KeywordTable() {
        for (const Keyword& keyword : kKeywords) {
            auto first = static_cast<unsigned char>(keyword.text[0]);
            m_buckets[first][m_sizes[first]++] = &keyword;
            m_secondChars[first] |= SecondCharBit(keyword.text[1]);
            const Keyword*& slot = m_exact[Slot(keyword.text, keyword.length)];
            // A shared slot cannot be compiled: change the hash's factors.
            if (slot)
                throw "two keywords share a hash slot";
            slot = &keyword;
        }
    }

    // The first keyword of the table that begins the word. Keywords hold no
    // character that ends a word, so one that begins the text lies inside it.
    const Keyword* Match(const char* word, std::size_t length) const {
        const Keyword* exact = m_exact[Slot(word, length)];
        if (exact && exact->length == length && SameText(word, exact->text, 0, length))
            return exact;
        auto first = static_cast<unsigned char>(word[0]);
        if (length < 2 || !(m_secondChars[first] & SecondCharBit(word[1])))
            return nullptr;
        for (std::size_t i = 0; i < m_sizes[first]; ++i) {
            const Keyword* keyword = m_buckets[first][i];
            if (keyword->length <= length && SameText(word, keyword->text, 1, keyword->length))
                return keyword;
        }
        return nullptr;
    }

private:
    static constexpr std::size_t kMaxPerChar = 8;
    static_assert(MostWithOneFirstChar() <= kMaxPerChar, "a keyword bucket would overflow");
    static constexpr std::size_t kSlots = 128;

    static constexpr std::size_t Slot(const char* word, std::size_t length) {
        return (static_cast<unsigned char>(word[0]) * 25u +
                static_cast<unsigned char>(word[length - 1]) * 24u + length * 6u) %
               kSlots;
    }
    // Keywords' second characters are letters, 'A' to 'z'.
    static constexpr std::uint64_t SecondCharBit(char c) {
        return c >= 'A' && c <= 'z' ? std::uint64_t{1} << (c - 'A') : 0;
    }

    const Keyword* m_exact[kSlots] = {};
    const Keyword* m_buckets[256][kMaxPerChar] = {};
    unsigned char m_sizes[256] = {};
    std::uint64_t m_secondChars[256] = {};
};

constexpr KeywordTable kKeywordTable;

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
    using namespace script_lexer_detail;
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
    if (const Keyword* keyword = kKeywordTable.Match(start, length)) {
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
