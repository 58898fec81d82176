// The particle system of something the map places: a copy of a resource
// system, placed and started. The copy is made the first time it is needed,
// which looks the same as making it at load (a started system that nothing
// has advanced yet) and spares the memory of everything never seen.
#pragma once

#include <memory>

#include <string>

class ParticleSystem;
class ResourceManager;

class PlacedParticles {
public:
    // source may be null: no particles.
    PlacedParticles(ParticleSystem* source, float x, float y);
    ~PlacedParticles();
    PlacedParticles(const PlacedParticles&) = delete;
    PlacedParticles& operator=(const PlacedParticles&) = delete;

    ParticleSystem* Get();
    void Update(float dt);
    void Render();

private:
    ParticleSystem* m_source; // owned by the resource manager
    float m_x;
    float m_y;
    std::unique_ptr<ParticleSystem> m_copy;
};

// The resource particle system of that name; nullptr for an empty name.
ParticleSystem* NamedParticles(ResourceManager& resources, const std::string& name);
