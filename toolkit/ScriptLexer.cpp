#include "toolkit/ScriptLexer.h"

#include "platform/engine/Engine.h"

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
// with a shorter one ("ALPHABLEND", "ALPHA") must come first.
constexpr Keyword kKeywords[] = {
    {"=", kTokenEquals},
    {":", kTokenColon},
    {",", kTokenComma},
    {"{", kTokenOpenBlock},
    {"}", kTokenCloseBlock},
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

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexLetter(char c) {
    return (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool EndsWord(char c) {
    return c == '\0' || c == '\t' || c == '\n' || c == '\r' || c == ' ' || c == ',' || c == ':' ||
           c == '=' || c == '{' || c == '}';
}

void CopyCut(char* dest, const char* src, std::size_t length) {
    if (length >= ScriptLexer::kTextSize)
        length = ScriptLexer::kTextSize - 1;
    std::memcpy(dest, src, length);
    dest[length] = '\0';
}

// Stops at the first difference, so the text's NUL ends it safely.
bool StartsWith(const char* text, const Keyword& keyword) {
    for (std::size_t i = 0; i < keyword.length; ++i) {
        if (text[i] != keyword.text[i])
            return false;
    }
    return true;
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
// token is compared only with the few keywords that can match it.
struct KeywordBuckets {
    KeywordBuckets() {
        for (const Keyword& keyword : kKeywords) {
            auto first = static_cast<unsigned char>(keyword.text[0]);
            buckets[first][sizes[first]++] = &keyword;
        }
    }
    static constexpr std::size_t kMaxPerChar = 8;
    static_assert(MostWithOneFirstChar() <= kMaxPerChar, "a keyword bucket would overflow");
    const Keyword* buckets[256][kMaxPerChar] = {};
    std::size_t sizes[256] = {};
};

const KeywordBuckets kBuckets;

} // namespace

ScriptLexer::ScriptLexer(const char* text, const char* scriptName)
    : m_engine(EngineCreate(ENGINE_VERSION)), m_pos(text), m_tokenStart(text) {
    CopyCut(m_scriptName, scriptName, std::strlen(scriptName));
    m_text[0] = '\0';
}

ScriptLexer::~ScriptLexer() {
    if (m_engine)
        m_engine->Release();
}

void ScriptLexer::SkipBlanks() {
    for (;;) {
        char c = *m_pos;
        if (c == '\n') {
            ++m_line;
            ++m_pos;
        } else if (c == '\t' || c == '\r' || c == ' ') {
            ++m_pos;
        } else if (c == ';') {
            while (*m_pos != '\0' && *m_pos != '\n' && *m_pos != '\r')
                ++m_pos;
        } else {
            return;
        }
    }
}

void ScriptLexer::SetText(const char* start, std::size_t length) {
    CopyCut(m_text, start, length);
}

int ScriptLexer::Scan() {
    SkipBlanks();
    m_tokenStart = m_pos;
    if (*m_pos == '\0') {
        m_text[0] = '\0';
        return m_token = kTokenEnd;
    }
    if (*m_pos == '"')
        return m_token = ScanQuoted();
    if (IsDigit(*m_pos) || *m_pos == '-' || *m_pos == '.')
        return m_token = ScanNumber();
    return m_token = ScanKeywordOrWord();
}

int ScriptLexer::ScanQuoted() {
    const char* start = ++m_pos;
    while (*m_pos != '\0' && *m_pos != '"' && *m_pos != '\n' && *m_pos != '\r')
        ++m_pos;
    SetText(start, static_cast<std::size_t>(m_pos - start));
    // The closing character goes with the string; a line feed taken here is
    // not counted, as the script's authors have always had it.
    if (*m_pos != '\0')
        ++m_pos;
    return kTokenString;
}

int ScriptLexer::ScanNumber() {
    const char* start = m_pos;
    while (IsDigit(*m_pos) || *m_pos == '.' || *m_pos == '-')
        ++m_pos;
    int token = kTokenNumber;
    // Colours such as 80FFFFFF begin with digits; the letters make it text.
    if (IsHexLetter(*m_pos)) {
        while (IsHexLetter(*m_pos))
            ++m_pos;
        token = kTokenString;
    }
    SetText(start, static_cast<std::size_t>(m_pos - start));
    return token;
}

int ScriptLexer::ScanKeywordOrWord() {
    auto first = static_cast<unsigned char>(*m_pos);
    for (std::size_t i = 0; i < kBuckets.sizes[first]; ++i) {
        const Keyword& keyword = *kBuckets.buckets[first][i];
        if (StartsWith(m_pos, keyword)) {
            SetText(m_pos, keyword.length);
            m_pos += keyword.length;
            return keyword.token;
        }
    }
    const char* start = m_pos;
    while (!EndsWord(*m_pos))
        ++m_pos;
    SetText(start, static_cast<std::size_t>(m_pos - start));
    return kTokenString;
}

void ScriptLexer::Rewind() {
    m_pos = m_tokenStart;
}

void ScriptLexer::Report(const char* prefix, const char* suffix) const {
    if (!m_engine)
        return;
    m_engine->System_Log("%s, line %d: %s'%s'%s", m_scriptName, m_line, prefix,
                         m_text[0] ? m_text : "<EOF>", suffix);
}
