#include "editor/ItemPlacement.h"

#include "content/ItemDefinition.h"
#include "editor/PlacementResources.h"
#include "toolkit/Sprite.h"

ItemPlacement::ItemPlacement(const ItemDefinition& definition, std::string name, float x, float y,
                             bool selected, ResourceManager* resources)
    : Placement(NamedSprite(resources, definition.spriteName),
                NamedParticleSystem(resources, definition.particleName), std::move(name), x, y,
                selected),
      m_definition(&definition), m_icon(NamedSprite(resources, definition.iconName)) {
    if (m_icon) {
        m_icon->SetHotSpot(m_icon->GetWidth() / 2, m_icon->GetHeight() / 2);
    }
}

bool ItemPlacement::Dynamic() const {
    return m_definition->dynamic;
}
