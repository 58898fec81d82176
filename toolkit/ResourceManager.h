// Parses the resource script into records, one list per kind, and creates
// the object behind a record when it is first asked for.
#pragma once

#include "platform/engine/Engine.h"
#include "toolkit/ResDesc.h"
#include "toolkit/ResourceNameIndex.h"

#include <deque>
#include <string>
#include <string_view>

class BitmapFont;
class ParticleSystem;
class ScriptLexer;
class Sprite;

class ResourceManager {
public:
    // With a script name, loads it; the script records of that load are
    // dropped afterwards so a later load may include the same files again.
    explicit ResourceManager(const char* script = nullptr);
    ~ResourceManager();
    ResourceManager(const ResourceManager&) = delete;
    ResourceManager& operator=(const ResourceManager&) = delete;

    // Definitions of the script join the lists; errors go to the log.
    void LoadScript(const char* name, ScriptLexer* parent = nullptr);

    // Creates every record's object of the group (every record for group 0);
    // false, and nothing more created, at the first that cannot be made.
    bool Precache(int group = 0);

    // A Texture record's texture, or else the file of that name loaded once
    // and remembered under its name; 0 when it cannot be loaded.
    HTEXTURE GetTexture(const char* name, int group = 0);
    Sprite* GetSprite(const char* name);
    BitmapFont* GetFont(const char* name);
    ParticleSystem* GetParticleSystem(const char* name);

    ResDesc* FindRecord(int kind, const char* name) const;
    ResDesc* FindRecord(int kind, std::string_view name) const;
    // Pushes the record at the front of its kind's list; the manager owns it.
    void AddRecord(int kind, ResDesc* record);
    // The same two with the name's hash worked out once, for the parser,
    // which checks every new name and then files a record under it. The
    // name must be within the field's length.
    static std::uint32_t NameHash(std::string_view name) { return ResourceNameIndex::Hash(name); }
    ResDesc* FindRecord(int kind, std::string_view name, std::uint32_t hash) const;
    void AddRecord(int kind, ResDesc* record, std::uint32_t hash);
    ResDesc* FirstRecord(int kind) const;
    // A lasting copy of a script's name for the records defined in it.
    const char* KeepScriptName(const char* name);

private:
    void DestroyList(int kind);
    ResHandle GetNamed(int kind, const char* name);

    Engine* m_engine;
    ResDesc* m_lists[kKindCount] = {};
    // Names are unique within a kind, so each list also has a name index;
    // a script of thousands of definitions checks every name against it.
    ResourceNameIndex m_index[kKindCount];
    std::deque<std::string> m_scriptNames;
};
