#include "game/world/PlacedParticles.h"

#include "toolkit/ParticleSystem.h"
#include "toolkit/ResourceManager.h"

PlacedParticles::PlacedParticles(ParticleSystem* source, float x, float y)
    : m_source(source), m_x(x), m_y(y) {}

PlacedParticles::~PlacedParticles() = default;

ParticleSystem* PlacedParticles::Get() {
    if (!m_copy && m_source) {
        m_copy = std::make_unique<ParticleSystem>(m_source->GetInfo());
        m_copy->MoveTo(m_x, m_y);
        m_copy->Fire();
    }
    return m_copy.get();
}

void PlacedParticles::Update(float dt) {
    if (ParticleSystem* particles = Get()) {
        particles->Update(dt);
    }
}

void PlacedParticles::Render() {
    if (ParticleSystem* particles = Get()) {
        particles->Render();
    }
}

ParticleSystem* NamedParticles(ResourceManager& resources, const std::string& name) {
    return name.empty() ? nullptr : resources.GetParticleSystem(name.c_str());
}
