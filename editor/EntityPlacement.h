// An entity placed in the editor.
#pragma once

#include "editor/Placement.h"

struct EntityDefinition;
class ResourceManager;

class EntityPlacement : public Placement {
public:
    // resources may be null (nothing to draw).
    EntityPlacement(const EntityDefinition& definition, std::string name, float x, float y,
                    bool selected, ResourceManager* resources);

    bool Dynamic() const override;
    int Layer() const override;
    const EntityDefinition& Definition() const { return *m_definition; }

private:
    const EntityDefinition* m_definition;
};
