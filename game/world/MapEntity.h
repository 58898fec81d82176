// One thing the map places: a sprite with an optional particle system (an
// entity element), or a looping effect emitter (an effect element).
#pragma once

#include "game/world/PlacedParticles.h"
#include "toolkit/CollisionBox.h"

#include <memory>

struct EntityDefinition;
class FX_Emitter;
class FX_Manager;
class ParticleSystem;
class ResourceManager;
class Sprite;

class MapEntity : Pinned {
public:
    // An entity element: the definition's sprite with its hot spot centred
    // and, when it names one, a started copy of its particle system. The
    // box is the sprite's size, or 350 x 350 without a sprite.
    MapEntity(const EntityDefinition& definition, float x, float y, ResourceManager& resources);
    // An effect element: a looping copy of the emitter, 350 x 350 box.
    MapEntity(const EntityDefinition& definition, std::unique_ptr<FX_Emitter> effect, float x,
              float y);
    ~MapEntity();

    // Particles and the effect advance only while active.
    void Update(float dt);
    void Draw(bool outline);

    float X() const { return m_x; }
    float Y() const { return m_y; }
    const CollisionBox& Box() const { return m_box; }
    const EntityDefinition& Definition() const { return *m_definition; }
    const Sprite* GetSprite() const { return m_sprite; }
    // The particle system copy, or nullptr.
    ParticleSystem* Particles() { return m_particles.Get(); }
    FX_Emitter* Effect() const { return m_effect.get(); }

private:
    Sprite* m_sprite = nullptr; // owned by the resource manager
    PlacedParticles m_particles;
    std::unique_ptr<FX_Emitter> m_effect;
    float m_x;
    float m_y;
    CollisionBox m_box;
    const EntityDefinition* m_definition;
};
