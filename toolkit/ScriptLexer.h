// Splits a resource script into tokens: keywords, numbers, strings and the
// punctuation of blocks. Holds its own engine reference for error reporting.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

class Engine;

// Token codes. A resource keyword's code minus kTokenInclude is its kind's
// list index in the ResourceManager.
enum ScriptToken : int {
    kTokenEnd = 1,
    kTokenNumber = 2,
    kTokenString = 3,
    kTokenBool = 4,
    kTokenEquals = 5,
    kTokenColon = 6,
    kTokenComma = 7,
    kTokenOpenBlock = 8,
    kTokenCloseBlock = 9,

    kTokenInclude = 11,
    kTokenResource = 12,
    kTokenTexture = 13,
    kTokenSound = 14,
    kTokenMusic = 15,
    kTokenStream = 16,
    kTokenTarget = 17,
    kTokenSprite = 18,
    kTokenAnimation = 19,
    kTokenFont = 20,
    kTokenParticle = 21,
    kTokenDistortion = 22,
    kTokenStringTable = 23,

    kParamFilename = 26,
    kParamResgroup = 27,
    kParamMipmap = 28,
    kParamAmplify = 29,
    kParamSize = 30,
    kParamZbuffer = 31,
    kParamTexture = 32,
    kParamRect = 33,
    kParamHotspot = 34,
    kParamBlendmode = 35,
    kParamColor = 36,
    kParamZorder = 37,
    kParamFlip = 38,
    kParamScale = 39,
    kParamProportion = 40,
    kParamRotation = 41,
    kParamFrames = 42,
    kParamFps = 43,
    kParamMode = 44,
    kParamTracking = 45,
    kParamSpacing = 46,
    kParamSprite = 47,
    kParamMesh = 48,

    kValueColorMul = 51,
    kValueColorAdd = 52,
    kValueAlphaBlend = 53,
    kValueAlphaAdd = 54,
    kValueZWrite = 55,
    kValueNoZWrite = 56,
    kValueForward = 57,
    kValueReverse = 58,
    kValuePingPong = 59,
    kValueNoPingPong = 60,
    kValueLoop = 61,
    kValueNoLoop = 62,
    kValueCircle = 63,
    kValueRect = 64,
    kValueAlpha = 65,
};

inline bool IsResourceKeyword(int token) {
    return token >= kTokenInclude && token <= kTokenStringTable;
}

inline bool IsParameterKeyword(int token) {
    return token >= kParamFilename && token <= kParamMesh;
}

namespace script_lexer_detail {

// What a character means at the start of a token. Every token is told apart
// by its first character alone, so one table lookup picks the way to read it.
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

inline constexpr std::array<CharKind, 256> kCharKinds = MakeCharKinds();

// The token of each one-character keyword by its character, 0 for others.
constexpr std::array<unsigned char, 256> MakePunctuationTokens() {
    std::array<unsigned char, 256> tokens{};
    tokens['='] = kTokenEquals;
    tokens[':'] = kTokenColon;
    tokens[','] = kTokenComma;
    tokens['{'] = kTokenOpenBlock;
    tokens['}'] = kTokenCloseBlock;
    return tokens;
}

inline constexpr std::array<unsigned char, 256> kPunctuationTokens = MakePunctuationTokens();

} // namespace script_lexer_detail

class ScriptLexer {
public:
    // Names, file names and token texts share this limit (with the NUL).
    static constexpr std::size_t kTextSize = 128;

    // text must stay alive and NUL-terminated while the lexer is used.
    ScriptLexer(const char* text, const char* scriptName);
    ~ScriptLexer();
    ScriptLexer(const ScriptLexer&) = delete;
    ScriptLexer& operator=(const ScriptLexer&) = delete;

    int Scan() {
        // The common tokens after spaces are read from here, in line: each
        // caller then has its own branches, which predict the kind of token
        // that caller meets far better than one shared dispatch could.
        using namespace script_lexer_detail;
        const char* p = m_pos;
        while (*p == ' ')
            ++p;
        const CharKind kind = kCharKinds[static_cast<unsigned char>(*p)];
        if (kind == kWordChar) {
            m_tokenStart = p;
            return m_token = ScanKeywordOrWord(p);
        }
        if (kind == kPunctuation) {
            m_tokenStart = p;
            m_pos = p + 1;
            SetText(p, 1);
            return m_token = kPunctuationTokens[static_cast<unsigned char>(*p)];
        }
        if (kind == kNumberStart) {
            m_tokenStart = p;
            return m_token = ScanNumber(p);
        }
        return ScanFrom(p);
    }
    // Steps back so that the next Scan reads the current token again.
    void Rewind();

    int Token() const { return m_token; }
    // The token's text, cut to kTextSize - 1 characters.
    const char* Text() const;
    // The same text without a copy; valid until the next Scan.
    std::string_view View() const { return {m_textStart, m_textLength}; }
    const char* ScriptName() const { return m_scriptName; }
    int Line() const { return m_line; }

    // One log line: "<script>, line <n>: <prefix>'<token>'<suffix>".
    void Report(const char* prefix, const char* suffix) const;

private:
    // Reads the token at or after p (blanks and comments first).
    int ScanFrom(const char* p);
    void SetText(const char* start, std::size_t length) {
        m_textStart = start;
        m_textLength = length < kTextSize ? length : kTextSize - 1;
        m_textCopied = false;
    }
    // Each reads a token that begins at p and moves past it.
    int ScanQuoted(const char* p);
    int ScanNumber(const char* p);
    int ScanKeywordOrWord(const char* p);

    Engine* m_engine;
    const char* m_pos;
    // Where the current token began: rewinding goes back here, which is exact
    // for every kind of token (quoted or cut ones included).
    const char* m_tokenStart;
    // The token's text lies in the script itself.
    const char* m_textStart;
    std::size_t m_textLength = 0;
    char m_scriptName[kTextSize];
    mutable char m_text[kTextSize];
    mutable bool m_textCopied = false;
    int m_token = kTokenEnd;
    int m_line = 1;
};
