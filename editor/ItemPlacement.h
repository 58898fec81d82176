// An item placed in the editor: drawn with its world sprite; its icon is
// looked up too, as the inventory will show it.
#pragma once

#include "editor/Placement.h"

struct ItemDefinition;
class ResourceManager;

class ItemPlacement : public Placement {
public:
    // resources may be null (nothing to draw).
    ItemPlacement(const ItemDefinition& definition, std::string name, float x, float y,
                  bool selected, ResourceManager* resources);

    bool Dynamic() const override;
    const ItemDefinition& Definition() const { return *m_definition; }
    Sprite* GetIcon() const { return m_icon; }

private:
    const ItemDefinition* m_definition;
    Sprite* m_icon = nullptr; // owned by the resource manager
};
