#include "content/DefinitionDatabase.h"

#include "content/ContentReport.h"
#include "content/DialogueSoundReader.h"
#include "platform/engine/Engine.h"
#include "platform/registry/Registry.h"

#include <memory>

namespace {

template <typename Map> auto Find(const Map& map, const typename Map::key_type& key) {
    auto found = map.find(key);
    return found == map.end() ? nullptr : &found->second;
}

struct DatabaseHolder {
    std::unique_ptr<DefinitionDatabase> database;
    SoundRegistrar* sounds = nullptr;
};

} // namespace

void DefinitionDatabase::Load(ContentReport& report, SoundRegistrar* sounds,
                              const std::string& folder) {
    ReadSpellFile(folder + kSpellFile, m_spells, report);
    ReadEntityFile(folder + kEntityFile, m_entities, report);
    ReadEffectFile(folder + kEffectFile, m_effects, report);
    ReadItemFile(folder + kItemFile, m_items, report);
    if (sounds) {
        ReadDialogueSoundFile(folder + kDialogueSoundFile, *sounds, report);
    }
}

const EntityDefinition* DefinitionDatabase::Entity(const std::string& name) const {
    return Find(m_entities, name);
}

const EntityDefinition* DefinitionDatabase::Effect(const std::string& name) const {
    return Find(m_effects, name);
}

const ItemDefinition* DefinitionDatabase::Item(const std::string& name) const {
    return Find(m_items, name);
}

const SpellDefinition* DefinitionDatabase::Spell(int index) const {
    return Find(m_spells.definitions, index);
}

const SpellCombination* DefinitionDatabase::Combination(int index) const {
    return Find(m_spells.combinations, index);
}

void SetDefinitionSoundRegistrar(SoundRegistrar* sounds) {
    Registry::Current().Get<DatabaseHolder>().sounds = sounds;
}

DefinitionDatabase& TheDefinitionDatabase() {
    DatabaseHolder& holder = Registry::Current().Get<DatabaseHolder>();
    if (!holder.database) {
        holder.database = std::make_unique<DefinitionDatabase>();
        Engine* engine = EngineCreate(ENGINE_VERSION);
        EngineContentReport report(*engine);
        holder.database->Load(report, holder.sounds);
        engine->Release();
    }
    return *holder.database;
}
