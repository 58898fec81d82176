#include "editor/EditorDefinitions.h"

#include "platform/registry/Registry.h"

EditorDefinitions& TheEditorDefinitions() {
    return Registry::Current().Get<EditorDefinitions>();
}

void EditorDefinitions::Load(ContentReport& report) {
    Load(kEntityFile, kItemFile, report);
}

void EditorDefinitions::Load(const std::string& entityFile, const std::string& itemFile,
                             ContentReport& report) {
    ReadEntityFile(entityFile, m_entities, report);
    ReadItemFile(itemFile, m_items, report);
}

const EntityDefinition* EditorDefinitions::Entity(const std::string& name) const {
    auto found = m_entities.find(name);
    return found == m_entities.end() ? nullptr : &found->second;
}

const ItemDefinition* EditorDefinitions::Item(const std::string& name) const {
    auto found = m_items.find(name);
    return found == m_items.end() ? nullptr : &found->second;
}

std::vector<std::string> EditorDefinitions::Names(int mode) const {
    std::vector<std::string> names;
    if (mode == kEntities) {
        for (const auto& entry : m_entities) {
            names.push_back(entry.first);
        }
    } else {
        for (const auto& entry : m_items) {
            names.push_back(entry.first);
        }
    }
    return names;
}
