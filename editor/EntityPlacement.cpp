#include "editor/EntityPlacement.h"

#include "content/EntityDefinition.h"
#include "editor/PlacementResources.h"

EntityPlacement::EntityPlacement(const EntityDefinition& definition, std::string name, float x,
                                 float y, bool selected, ResourceManager* resources)
    : Placement(NamedSprite(resources, definition.spriteName),
                NamedParticleSystem(resources, definition.particleName), std::move(name), x, y,
                selected),
      m_definition(&definition) {}

bool EntityPlacement::Dynamic() const {
    return m_definition->dynamic;
}

int EntityPlacement::Layer() const {
    return m_definition->layer;
}
