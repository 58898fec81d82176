#include "toolkit/ScriptValueReader.h"

#include "toolkit/ScriptLexer.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

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

int ScriptValueReader::ParseInt(std::string_view text) {
    // Plain decimal numbers of up to nine digits cannot overflow; blanks,
    // signs other than '-' and long numbers go to strtol.
    const bool negative = !text.empty() && text[0] == '-';
    const std::size_t first = negative ? 1 : 0;
    const std::size_t end = std::min(text.size(), first + 9);
    std::size_t i = first;
    int value = 0;
    for (; i < end && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10 + (text[i] - '0');
    if (i > first && (i == text.size() || text[i] < '0' || text[i] > '9'))
        return negative ? -value : value;
    return ParseIntSlowly(std::string(text).c_str());
}

int ScriptValueReader::ParseIntSlowly(const char* text) {
    long value = std::strtol(text, nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

float ScriptValueReader::ParseFloat(std::string_view text) {
    // Short decimals such as "0.5" or "-16", nearly all of a script's values,
    // are read exactly here: at most seven digits are a whole number below
    // 2^24 and a power of ten up to 10^7 is exact in a float, so the one
    // division rounds the same as any correctly rounded reader would.
    static constexpr float kPowers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f};
    const bool negative = !text.empty() && text[0] == '-';
    std::size_t i = negative ? 1 : 0;
    std::uint32_t mantissa = 0;
    std::size_t digits = 0, fraction = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits)
        mantissa = mantissa * 10 + static_cast<std::uint32_t>(text[i] - '0');
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++fraction)
            mantissa = mantissa * 10 + static_cast<std::uint32_t>(text[i] - '0');
    }
    const bool more = i < text.size() && (text[i] == 'e' || text[i] == 'E');
    if (digits + fraction > 0 && digits + fraction <= 7 && !more) {
        // Whole numbers, the most common, need no division.
        float value = static_cast<float>(mantissa);
        if (fraction)
            value /= kPowers[fraction];
        return negative ? -value : value;
    }
    return ParseFloatSlowly(std::string(text).c_str());
}

float ScriptValueReader::ParseFloatSlowly(const char* text) {
    // from_chars rounds correctly and ignores the locale; it takes no
    // leading blanks or '+', which strtof reads.
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

bool ScriptValueReader::ParseBool(std::string_view text) {
    return !text.empty() && (text[0] == 't' || text[0] == 'T');
}

std::uint32_t ScriptValueReader::ParseColor(std::string_view text) {
    std::uint32_t value = 0;
    for (char c : text)
        value = (value << 4) | Nibble(c);
    return value;
}

std::string_view ScriptValueReader::NextValue() {
    m_lexer.Scan();
    m_lexer.Scan();
    return m_lexer.View();
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
