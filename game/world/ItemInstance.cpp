#include "game/world/ItemInstance.h"

#include "content/ItemDefinition.h"
#include "toolkit/ParticleSystem.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/Sprite.h"

namespace {

Sprite* CentredSprite(ResourceManager& resources, const std::string& name) {
    Sprite* sprite = name.empty() ? nullptr : resources.GetSprite(name.c_str());
    if (sprite) {
        sprite->SetHotSpot(sprite->GetWidth() / 2, sprite->GetHeight() / 2);
    }
    return sprite;
}

} // namespace

ItemInstance::ItemInstance(const ItemDefinition& definition, float x, float y,
                           ResourceManager& resources)
    : m_x(x), m_y(y), m_sprite(CentredSprite(resources, definition.spriteName)),
      m_particles(NamedParticles(resources, definition.particleName), x, y),
      m_definition(&definition), m_box(&m_x, &m_y, 0, 0),
      m_icon(CentredSprite(resources, definition.iconName)) {
    if (m_sprite) {
        const float width = m_sprite->GetWidth();
        const float height = m_sprite->GetHeight();
        m_box.SetSize(width, height);
        m_box.SetOffset(-width / 2, -height / 2);
    }
}

ItemInstance::~ItemInstance() = default;

void ItemInstance::Update(float dt) {
    m_particles.Update(dt);
}

void ItemInstance::Draw(bool outline) {
    if (m_sprite) {
        m_sprite->Render(m_x, m_y);
    }
    m_particles.Render();
    if (outline) {
        m_box.DrawOutline();
    }
}
