// The definitions the editor offers and places: every entity of
// resources/entity.xml and every item of resources/items.xml, by name in
// byte order, read through the same readers the game uses.
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
    // The editor's two modes.
    static constexpr int kItems = 1;
    static constexpr int kEntities = 2;

    // Entities, then items; a file that cannot be loaded leaves its map
    // empty (and is reported).
    void Load(ContentReport& report);
    void Load(const std::string& entityFile, const std::string& itemFile, ContentReport& report);

    const EntityDefinition* Entity(const std::string& name) const;
    const ItemDefinition* Item(const std::string& name) const;
    const EntityDefinitions& Entities() const { return m_entities; }
    const ItemDefinitions& Items() const { return m_items; }
    // The names of the mode's definitions, in the map's order.
    std::vector<std::string> Names(int mode) const;

private:
    EntityDefinitions m_entities;
    ItemDefinitions m_items;
};

EditorDefinitions& TheEditorDefinitions();
