// Reads the values of one resource parameter from the lexer: each value is
// a separator token (normally "=" or ",", taken whatever it is) followed by
// the value token.
#pragma once

#include "toolkit/ResDesc.h"

#include <cstdint>

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
    static int ParseInt(const char* text);
    static float ParseFloat(const char* text);
    static bool ParseBool(const char* text);
    static std::uint32_t ParseColor(const char* text);

private:
    const char* NextValue();
    std::uint32_t ReadFlags(std::uint32_t flags, bool blend);

    ScriptLexer& m_lexer;
};
