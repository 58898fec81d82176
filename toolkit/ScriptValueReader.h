// Reads the values of one resource parameter from the lexer: each value is
// a separator token (normally "=" or ",", taken whatever it is) followed by
// the value token.
#pragma once

#include "toolkit/ResDesc.h"

#include <cstdint>
#include <string_view>

class ScriptLexer;

class ScriptValueReader {
public:
    explicit ScriptValueReader(ScriptLexer& lexer) : m_lexer(lexer) {}

    void ReadString(char (&dest)[ResDesc::kNameSize]);
    int ReadInt();
    float ReadFloat();
    bool ReadBool();
    std::uint32_t ReadColor();
    // Flag lists change only the bits they name, starting from flags.
    std::uint32_t ReadBlendMode(std::uint32_t flags);
    std::uint32_t ReadAnimationMode(std::uint32_t flags);

    // The conversions on their own, for the value texts.
    static int ParseInt(std::string_view text);
    static float ParseFloat(std::string_view text);
    static bool ParseBool(std::string_view text);
    static std::uint32_t ParseColor(std::string_view text);

private:
    // What the fast paths above leave to the C library.
    static int ParseIntSlowly(const char* text);
    static float ParseFloatSlowly(const char* text);
    std::string_view NextValue();
    std::uint32_t ReadFlags(std::uint32_t flags, bool blend);

    ScriptLexer& m_lexer;
};
