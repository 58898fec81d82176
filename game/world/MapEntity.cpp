#include "game/world/MapEntity.h"

#include "content/EntityDefinition.h"
#include "platform/fx/Fx.h"
#include "toolkit/ParticleSystem.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/Sprite.h"
#include "toolkit/fx/FX_Emitter.h"

namespace {

constexpr float kUnseenSize = 350.0f;

} // namespace

MapEntity::MapEntity(const EntityDefinition& definition, float x, float y,
                     ResourceManager& resources)
    : m_sprite(definition.spriteName.empty() ? nullptr
                                             : resources.GetSprite(definition.spriteName.c_str())),
      m_particles(NamedParticles(resources, definition.particleName), x, y), m_x(x), m_y(y),
      m_box(&m_x, &m_y, kUnseenSize, kUnseenSize, -kUnseenSize / 2, -kUnseenSize / 2),
      m_definition(&definition) {
    if (m_sprite) {
        const float width = m_sprite->GetWidth();
        const float height = m_sprite->GetHeight();
        m_sprite->SetHotSpot(width / 2, height / 2);
        m_box.SetSize(width, height);
        m_box.SetOffset(-width / 2, -height / 2);
    }
}

MapEntity::MapEntity(const EntityDefinition& definition, std::unique_ptr<FX_Emitter> effect,
                     float x, float y)
    : m_particles(nullptr, x, y), m_effect(std::move(effect)), m_x(x), m_y(y),
      m_box(&m_x, &m_y, kUnseenSize, kUnseenSize, -kUnseenSize / 2, -kUnseenSize / 2),
      m_definition(&definition) {
    if (m_effect) {
        Fx_SetLoopMode(m_effect->GetHandle(), 1);
    }
}

MapEntity::~MapEntity() = default;

void MapEntity::Update(float dt) {
    m_particles.Update(dt);
    if (m_effect) {
        m_effect->Update(Fx_GetUpdateTime(m_effect->GetHandle()));
    }
}

void MapEntity::Draw(bool outline) {
    if (m_sprite) {
        m_sprite->Render(m_x, m_y);
    }
    m_particles.Render();
    if (m_effect) {
        m_effect->Draw();
    }
    if (outline) {
        m_box.DrawOutline();
    }
}
