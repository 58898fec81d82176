#include "editor/EditorDefinitions.h"

#include "platform/registry/Registry.h"

EditorDefinitions& TheEditorDefinitions() {
    return Registry::Current().Get<EditorDefinitions>();
}

void EditorDefinitions::Load(ContentReport& report) {
    Load(kEntityFile, kItemFile, report, kEffectFile);
}

void EditorDefinitions::Load(const std::string& entityFile, const std::string& itemFile,
                             ContentReport& report, const std::string& effectFile) {
    ReadEntityFile(entityFile, m_entities, report);
    ReadItemFile(itemFile, m_items, report);
    if (!effectFile.empty()) {
        ReadEffectFile(effectFile, m_effects, report);
    }
}

int EditorDefinitions::NextMode(int mode) {
    switch (mode) {
    case kEntities:
        return kItems;
    case kItems:
        return kEffects;
    default:
        return kEntities;
    }
}

const EntityDefinition* EditorDefinitions::Effect(const std::string& name) const {
    auto found = m_effects.find(name);
    return found == m_effects.end() ? nullptr : &found->second;
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
    if (mode == kEntities || mode == kEffects) {
        for (const auto& entry : mode == kEntities ? m_entities : m_effects) {
            names.push_back(entry.first);
        }
    } else {
        for (const auto& entry : m_items) {
            names.push_back(entry.first);
        }
    }
    return names;
}
