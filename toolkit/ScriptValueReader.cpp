#include "toolkit/ScriptValueReader.h"

#include "toolkit/ScriptLexer.h"

#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

// For each flag keyword, in the order of the token codes: which bit it
// touches and whether it sets it.
struct FlagRule {
    int token;
    std::uint32_t bit;
    bool set;
};

constexpr FlagRule kBlendRules[] = {
    {kValueColorMul, 1, false}, {kValueColorAdd, 1, true}, {kValueAlphaBlend, 2, true},
    {kValueAlphaAdd, 2, false}, {kValueZWrite, 4, true},   {kValueNoZWrite, 4, false},
};

constexpr FlagRule kModeRules[] = {
    {kValueForward, 1, false},    {kValueReverse, 1, true}, {kValuePingPong, 2, true},
    {kValueNoPingPong, 2, false}, {kValueLoop, 4, true},    {kValueNoLoop, 4, false},
};

template <std::size_t N>
bool ApplyFlag(const FlagRule (&rules)[N], int token, std::uint32_t& flags) {
    for (const FlagRule& rule : rules) {
        if (rule.token == token) {
            flags = rule.set ? (flags | rule.bit) : (flags & ~rule.bit);
            return true;
        }
    }
    return false;
}

std::uint32_t Nibble(char c) {
    if (c >= '0' && c <= '9')
        return static_cast<std::uint32_t>(c - '0');
    if (c >= 'a' && c <= 'f')
        return static_cast<std::uint32_t>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return static_cast<std::uint32_t>(c - 'A' + 10);
    return 15;
}

} // namespace

int ScriptValueReader::ParseInt(const char* text) {
    long value = std::strtol(text, nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

float ScriptValueReader::ParseFloat(const char* text) {
    // Plain decimal numbers, nearly all of a script's values, take the fast
    // path; anything else (leading blanks or '+', overflow) goes to strtof.
    const char* digits = text[0] == '-' ? text + 1 : text;
    if ((*digits >= '0' && *digits <= '9') || *digits == '.') {
        float value = 0.0f;
        auto [end, error] = std::from_chars(text, text + std::strlen(text), value);
        if (error == std::errc())
            return value;
        if (error == std::errc::invalid_argument)
            return 0.0f;
    }
    return std::strtof(text, nullptr);
}

bool ScriptValueReader::ParseBool(const char* text) {
    return text[0] == 't' || text[0] == 'T';
}

std::uint32_t ScriptValueReader::ParseColor(const char* text) {
    std::uint32_t value = 0;
    for (const char* c = text; *c; ++c)
        value = (value << 4) | Nibble(*c);
    return value;
}

const char* ScriptValueReader::NextValue() {
    m_lexer.Scan();
    m_lexer.Scan();
    return m_lexer.Text();
}

void ScriptValueReader::ReadString(char (&dest)[ResDesc::kNameSize]) {
    CopyResourceText(dest, NextValue());
}

int ScriptValueReader::ReadInt() {
    return ParseInt(NextValue());
}

float ScriptValueReader::ReadFloat() {
    return ParseFloat(NextValue());
}

bool ScriptValueReader::ReadBool() {
    return ParseBool(NextValue());
}

std::uint32_t ScriptValueReader::ReadColor() {
    return ParseColor(NextValue());
}

std::uint32_t ScriptValueReader::ReadBlendMode(std::uint32_t flags) {
    return ReadFlags(flags, true);
}

std::uint32_t ScriptValueReader::ReadAnimationMode(std::uint32_t flags) {
    return ReadFlags(flags, false);
}

std::uint32_t ScriptValueReader::ReadFlags(std::uint32_t flags, bool blend) {
    for (;;) {
        int separator = m_lexer.Scan();
        if (separator != kTokenEquals && separator != kTokenComma) {
            m_lexer.Rewind();
            return flags;
        }
        int value = m_lexer.Scan();
        bool known =
            blend ? ApplyFlag(kBlendRules, value, flags) : ApplyFlag(kModeRules, value, flags);
        if (!known)
            m_lexer.Report("Unsupported value ", ".");
    }
}
