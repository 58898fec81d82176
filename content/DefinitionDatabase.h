// Every entity, effect, item and spell definition, read once from the five
// files under resources/ when the database is first used, and kept for the
// whole run. Lookups of names no file defined give nullptr.
#pragma once

#include "content/EntityDefinitionReader.h"
#include "content/ItemDefinitionReader.h"
#include "content/SpellDefinitionReader.h"

class ContentReport;
class SoundRegistrar;

class DefinitionDatabase {
public:
    static constexpr const char* kSpellFile = "resources/spells.xml";
    static constexpr const char* kEntityFile = "resources/entity.xml";
    static constexpr const char* kEffectFile = "resources/effects.xml";
    static constexpr const char* kItemFile = "resources/items.xml";
    static constexpr const char* kDialogueSoundFile = "resources/d_sound.xml";

    // Reads the five files in their order, each whatever became of the
    // others; the dialogue sounds and music tracks go to sounds (none when
    // it is null). The paths are taken below folder ("" or ending in "/").
    void Load(ContentReport& report, SoundRegistrar* sounds, const std::string& folder = "");

    const EntityDefinition* Entity(const std::string& name) const;
    const EntityDefinition* Effect(const std::string& name) const;
    const ItemDefinition* Item(const std::string& name) const;
    const SpellDefinition* Spell(int index) const;
    const SpellCombination* Combination(int index) const;
    // The number of combinations stored.
    int SpellCount() const { return static_cast<int>(m_spells.combinations.size()); }

    const EntityDefinitions& Entities() const { return m_entities; }
    const EntityDefinitions& Effects() const { return m_effects; }
    const ItemDefinitions& Items() const { return m_items; }
    // By index, in index order (a skipped spell leaves its index unused).
    const std::map<int, SpellCombination>& Combinations() const { return m_spells.combinations; }

private:
    EntityDefinitions m_entities;
    EntityDefinitions m_effects;
    ItemDefinitions m_items;
    SpellBook m_spells;
};

// The game's database, created and loaded on the first call (message boxes
// and log lines through the engine).
DefinitionDatabase& TheDefinitionDatabase();
// Where that first load hands the sounds; set before the first call.
void SetDefinitionSoundRegistrar(SoundRegistrar* sounds);
