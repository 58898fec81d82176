#include "editor/Placement.h"

#include "toolkit/ParticleSystem.h"
#include "toolkit/Sprite.h"

Placement::Placement(Sprite* sprite, ParticleSystem* particleSource, std::string placedName,
                     float placedX, float placedY, bool isSelected)
    : x(placedX), y(placedY), name(std::move(placedName)), selected(isSelected), m_sprite(sprite),
      m_particleSource(particleSource) {
    float width = kMissingSpriteSize;
    float height = kMissingSpriteSize;
    if (m_sprite) {
        width = m_sprite->GetWidth();
        height = m_sprite->GetHeight();
        m_sprite->SetHotSpot(width / 2, height / 2);
    }
    m_box = std::make_unique<CollisionBox>(&x, &y, width, height, -width / 2, -height / 2);
}

Placement::~Placement() = default;

void Placement::SetBoxSize(float width, float height) {
    m_box->SetSize(width, height);
    m_box->SetOffset(-width / 2, -height / 2);
}

ParticleSystem* Placement::Particles() {
    if (!m_particles && m_particleSource) {
        // The system's own emitter stays at the origin; the render offset
        // carries it to the placement, so moving needs no re-emission.
        m_particles = std::make_unique<ParticleSystem>(m_particleSource->GetInfo());
        m_particles->SetRenderOffset(x, y);
        m_particles->Fire();
    }
    return m_particles.get();
}

void Placement::Update(float dt) {
    if (ParticleSystem* particles = Particles()) {
        particles->Update(dt);
        particles->SetRenderOffset(x, y);
    }
}

void Placement::Draw() {
    if (m_sprite) {
        m_sprite->Render(x, y);
    }
    if (ParticleSystem* particles = Particles()) {
        particles->Render();
    }
}
