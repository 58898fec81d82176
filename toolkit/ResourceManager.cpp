#include "toolkit/ResourceManager.h"

#include "toolkit/EngineResources.h"
#include "toolkit/ResourceScriptParser.h"

#include <string_view>

ResourceManager::ResourceManager(const char* script) : m_engine(EngineCreate(ENGINE_VERSION)) {
    if (!script)
        return;
    LoadScript(script, nullptr);
    DestroyList(kKindScript);
}

ResourceManager::~ResourceManager() {
    for (int kind = 0; kind < kKindCount; ++kind)
        DestroyList(kind);
    if (m_engine)
        m_engine->Release();
}

void ResourceManager::DestroyList(int kind) {
    ResDesc* record = m_lists[kind];
    while (record) {
        ResDesc* next = record->m_next;
        record->Free();
        delete record;
        record = next;
    }
    m_lists[kind] = nullptr;
    m_index[kind].Clear();
}

void ResourceManager::LoadScript(const char* name, ScriptLexer* parent) {
    ResourceScriptParser(*this).LoadScript(name, parent);
}

bool ResourceManager::Precache(int group) {
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (ResDesc* record = m_lists[kind]; record; record = record->m_next) {
            if (group != 0 && record->m_resgroup != group)
                continue;
            if (!record->Get(*this))
                return false;
        }
    }
    return true;
}

ResDesc* ResourceManager::FindRecord(int kind, const char* name) const {
    return name ? FindRecord(kind, std::string_view(name)) : nullptr;
}

ResDesc* ResourceManager::FindRecord(int kind, std::string_view name) const {
    // Names are kept cut to the field, so a longer name finds its cut form.
    name = name.substr(0, ResDesc::kNameSize - 1);
    return FindRecord(kind, name, NameHash(name));
}

ResDesc* ResourceManager::FindRecord(int kind, std::string_view name, std::uint32_t hash) const {
    if (kind < 0 || kind >= kKindCount)
        return nullptr;
    return m_index[kind].Find(name, hash);
}

void ResourceManager::AddRecord(int kind, ResDesc* record) {
    AddRecord(kind, record, NameHash(record->m_name));
}

void ResourceManager::AddRecord(int kind, ResDesc* record, std::uint32_t hash) {
    record->m_next = m_lists[kind];
    m_lists[kind] = record;
    // The newest record of a name is the one a list walk would find first.
    m_index[kind].Insert(record, hash);
}

const char* ResourceManager::KeepScriptName(const char* name) {
    if (m_scriptNames.empty() || m_scriptNames.back() != name)
        m_scriptNames.emplace_back(name);
    return m_scriptNames.back().c_str();
}

ResDesc* ResourceManager::FirstRecord(int kind) const {
    return kind >= 0 && kind < kKindCount ? m_lists[kind] : nullptr;
}

HTEXTURE ResourceManager::GetTexture(const char* name, int group) {
    if (!name)
        return 0;
    if (ResDesc* record = FindRecord(kKindTexture, name))
        return static_cast<HTEXTURE>(record->Get(*this));
    HTEXTURE texture = m_engine->Texture_Load(name, 0, false);
    if (!texture)
        return 0;
    auto* record = new RTexture();
    record->SetName(name);
    CopyResourceText(record->m_filename, name);
    record->m_resgroup = group;
    record->m_handle = texture;
    AddRecord(kKindTexture, record);
    return texture;
}

ResHandle ResourceManager::GetNamed(int kind, const char* name) {
    ResDesc* record = FindRecord(kind, name);
    return record ? record->Get(*this) : 0;
}

Sprite* ResourceManager::GetSprite(const char* name) {
    return reinterpret_cast<Sprite*>(GetNamed(kKindSprite, name));
}

BitmapFont* ResourceManager::GetFont(const char* name) {
    return reinterpret_cast<BitmapFont*>(GetNamed(kKindFont, name));
}

ParticleSystem* ResourceManager::GetParticleSystem(const char* name) {
    return reinterpret_cast<ParticleSystem*>(GetNamed(kKindParticle, name));
}
