// Reads one resource script (and the scripts it includes) into the
// manager's record lists. Every error is one log line and parsing goes on.
#pragma once

class ResDesc;
class ResourceManager;
class ScriptLexer;

class ResourceScriptParser {
public:
    explicit ResourceScriptParser(ResourceManager& manager) : m_manager(manager) {}

    // parent is the lexer of the including script, or nullptr at the top.
    void LoadScript(const char* name, ScriptLexer* parent);

private:
    void Parse(ScriptLexer& lexer);
    // script: the lasting copy of the script's name for the record.
    void ReadDefinition(ScriptLexer& lexer, int kind, const char* script);
    void ReadBlock(ScriptLexer& lexer, ResDesc& record);
    // Skips up to the next resource keyword or the end, left to be read next.
    static void SkipToResource(ScriptLexer& lexer);

    ResourceManager& m_manager;
};
