// One spell in the world: a projectile with its particle trail, flying
// straight until its time is up or it hits, or an area that strikes what is
// inside it once and then plays out.
#pragma once

#include "content/SpellDefinition.h"
#include "toolkit/CollisionBox.h"

#include <memory>

class FX_Emitter;
class ParticleSystem;
class SpellContent;

class SpellInstance : Pinned {
public:
    // Made at the cast point at the clock's time; its look comes from content.
    SpellInstance(const SpellDefinition& definition, float x, float y, float angle,
                  SpellContent& content);
    ~SpellInstance();

    // One frame of flight; true when the spell is finished (its time is up,
    // or its area effect stopped playing).
    bool Advance();
    void Render();

    bool IsProjectile() const { return m_definition->kind != S_AREA; }
    bool Applied() const { return m_applied; }
    void MarkApplied() { m_applied = true; }
    const CollisionBox& Box() const { return *m_box; }
    const SpellDefinition& Definition() const { return *m_definition; }
    const ParticleSystem* Trail() const { return m_trail.get(); }
    const FX_Emitter* Emitter() const { return m_emitter.get(); }
    float SpawnTime() const { return m_spawnTime; }
    float X() const { return m_x; }
    float Y() const { return m_y; }
    float Angle() const { return m_angle; }

private:
    std::unique_ptr<ParticleSystem> m_trail;
    float m_spawnTime;
    float m_x;
    float m_y;
    float m_angle;
    std::unique_ptr<FX_Emitter> m_emitter;
    bool m_applied = false;
    std::unique_ptr<CollisionBox> m_box;
    const SpellDefinition* m_definition;
};
