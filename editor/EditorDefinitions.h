// The definitions the editor offers and places: every entity of
// resources/entity.xml, every item of resources/items.xml and every effect
// of resources/effects.xml, by name in byte order, read through the same
// readers the game uses.
#pragma once

#include "content/EntityDefinitionReader.h"
#include "content/ItemDefinitionReader.h"

#include <string>
#include <vector>

class ContentReport;

class EditorDefinitions {
public:
    static constexpr const char* kEntityFile = "resources/entity.xml";
    static constexpr const char* kItemFile = "resources/items.xml";
    static constexpr const char* kEffectFile = "resources/effects.xml";
    // The editor's modes, in the order M walks them: entities, items, effects.
    static constexpr int kItems = 1;
    static constexpr int kEntities = 2;
    static constexpr int kEffects = 3;
    static int NextMode(int mode);

    // Entities, items, then effects; a file that cannot be loaded leaves its
    // map empty (and is reported).
    void Load(ContentReport& report);
    void Load(const std::string& entityFile, const std::string& itemFile, ContentReport& report,
              const std::string& effectFile = "");

    const EntityDefinition* Entity(const std::string& name) const;
    const ItemDefinition* Item(const std::string& name) const;
    const EntityDefinition* Effect(const std::string& name) const;
    const EntityDefinitions& Entities() const { return m_entities; }
    const ItemDefinitions& Items() const { return m_items; }
    const EntityDefinitions& Effects() const { return m_effects; }
    // The names of the mode's definitions, in the map's order.
    std::vector<std::string> Names(int mode) const;

private:
    EntityDefinitions m_entities;
    ItemDefinitions m_items;
    EntityDefinitions m_effects;
};

EditorDefinitions& TheEditorDefinitions();
