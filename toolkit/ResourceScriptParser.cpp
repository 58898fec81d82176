#include "toolkit/ResourceScriptParser.h"

#include "platform/engine/Engine.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/ScriptLexer.h"
#include "toolkit/ScriptValueReader.h"
#include "toolkit/ToolkitResources.h"

#include <cstring>

namespace {

ResDesc* NewRecord(int kind) {
    switch (kind) {
    case kKindResource:
        return new RResource();
    case kKindTexture:
        return new RTexture();
    case kKindSound:
        return new REffect();
    case kKindMusic:
        return new RMusic();
    case kKindStream:
        return new RStream();
    case kKindTarget:
        return new RTarget();
    case kKindSprite:
        return new RSprite();
    case kKindAnimation:
        return new RAnimation();
    case kKindFont:
        return new RFont();
    case kKindParticle:
        return new RParticle();
    case kKindDistortion:
        return new RDistort();
    case kKindStringTable:
        return new RStringTable();
    default:
        return new RScript();
    }
}

// Holds an engine reference for the length of one script load.
struct EngineRef {
    EngineRef() : engine(EngineCreate(ENGINE_VERSION)) {}
    ~EngineRef() {
        if (engine)
            engine->Release();
    }
    EngineRef(const EngineRef&) = delete;
    EngineRef& operator=(const EngineRef&) = delete;
    Engine* engine;
};

} // namespace

void ResourceScriptParser::LoadScript(const char* name, ScriptLexer* parent) {
    if (!name)
        return;
    if (m_manager.FindRecord(kKindScript, name)) {
        // Ends include cycles and repeated includes.
        if (parent)
            parent->Report("Script ", " already has been parsed.");
        return;
    }
    EngineRef ref;
    if (!ref.engine)
        return;
    void* data = ref.engine->Resource_Load(name, nullptr);
    if (!data) {
        if (parent)
            parent->Report("Script ", " not found.");
        else
            ref.engine->System_Log("Script '%s' not found.", name);
        return;
    }
    // The engine's bytes end in a zero byte, so the lexer reads them in place.
    auto* script = new RScript();
    script->SetName(name);
    m_manager.AddRecord(kKindScript, script);
    {
        ScriptLexer lexer(static_cast<const char*>(data), name);
        Parse(lexer);
    }
    ref.engine->Resource_Free(data);
}

void ResourceScriptParser::Parse(ScriptLexer& lexer) {
    // Kept once for every definition of this script, includes or not.
    const char* script = m_manager.KeepScriptName(lexer.ScriptName());
    int token = lexer.Scan();
    while (token != kTokenEnd) {
        if (token == kTokenInclude) {
            lexer.Scan();
            LoadScript(lexer.Text(), &lexer);
        } else if (!IsResourceKeyword(token)) {
            lexer.Report("Unrecognized resource specificator ", ".");
            SkipToResource(lexer);
        } else {
            ReadDefinition(lexer, token - kTokenInclude, script);
        }
        token = lexer.Scan();
    }
}

void ResourceScriptParser::ReadDefinition(ScriptLexer& lexer, int kind, const char* script) {
    lexer.Scan();
    // Token texts are already within a name's length.
    const std::uint32_t hash = ResourceManager::NameHash(lexer.View());
    if (m_manager.FindRecord(kind, lexer.View(), hash)) {
        lexer.Report("Resource ", " of the same type already has been defined.");
        SkipToResource(lexer);
        return;
    }
    char name[ResDesc::kNameSize];
    CopyResourceText(name, lexer.View());
    const std::string_view nameText(name, lexer.View().size());
    const int line = lexer.Line();

    const ResDesc* base = nullptr;
    int token = lexer.Scan();
    if (token == kTokenColon) {
        lexer.Scan();
        base = m_manager.FindRecord(kind, lexer.View());
        if (!base)
            lexer.Report("Base resource ", " is not defined.");
        token = lexer.Scan();
    }
    if (token != kTokenOpenBlock) {
        lexer.Report("Illegal resource syntax, ", " found; '{' expected.");
        SkipToResource(lexer);
        return;
    }
    ResDesc* record = base ? base->Clone() : NewRecord(kind);
    record->SetName(nameText);
    record->m_script = script;
    record->m_line = line;
    ReadBlock(lexer, *record);
    // Added whatever errors the block held, so later lookups still find it.
    m_manager.AddRecord(kind, record, hash);
}

void ResourceScriptParser::ReadBlock(ScriptLexer& lexer, ResDesc& record) {
    ScriptValueReader reader(lexer);
    for (;;) {
        int token = lexer.Scan();
        if (token == kTokenCloseBlock)
            return;
        if (IsResourceKeyword(token) || token == kTokenEnd) {
            lexer.Report("'}' missed, ", " encountered.");
            lexer.Rewind();
            return;
        }
        if (record.ReadParameter(token, reader))
            continue;
        lexer.Report("Unsupported resource parameter ", ".");
        do {
            token = lexer.Scan();
        } while (!IsParameterKeyword(token) && !IsResourceKeyword(token) &&
                 token != kTokenCloseBlock && token != kTokenEnd);
        lexer.Rewind();
    }
}

void ResourceScriptParser::SkipToResource(ScriptLexer& lexer) {
    int token;
    do {
        token = lexer.Scan();
    } while (!IsResourceKeyword(token) && token != kTokenEnd);
    lexer.Rewind();
}
