// Something placed on the map in the editor: a sprite drawn centred on its
// position, an optional particle system following it, and a box for
// selection. Entities and items differ only in their definitions.
#pragma once

#include "toolkit/CollisionBox.h"

#include <cstdint>
#include <memory>
#include <string>

class ParticleSystem;
class Sprite;

class Placement : Pinned {
public:
    // The side of the box of a placement whose sprite is missing, so it can
    // still be seen (outlined), selected and moved.
    static constexpr float kMissingSpriteSize = 32.0f;

    // The sprite (shared, may be null) gets its hot spot centred; the box is
    // its size, centred on the position. particleSource names the resource
    // system to copy (may be null).
    Placement(Sprite* sprite, ParticleSystem* particleSource, std::string name, float x, float y,
              bool selected);
    virtual ~Placement();

    virtual bool Dynamic() const = 0;
    // Drawing order among visible entities, lowest first.
    virtual int Layer() const { return 0; }
    // A placement naming no definition, kept so a save does not delete it.
    virtual bool Missing() const { return false; }

    // Advances the particles and keeps them at the position.
    virtual void Update(float dt);
    // The sprite and the particles.
    virtual void Draw();
    // Whether the box is outlined: asked for (test mode), selected, or the
    // outline is all there is to see (no sprite).
    virtual bool Outlined(bool testMode) const { return testMode || selected || !m_sprite; }

    const CollisionBox& Box() const { return *m_box; }
    Sprite* GetSprite() const { return m_sprite; }
    // The particle copy, made the first time it is needed: a fired system
    // that nothing has advanced looks the same as one made at placing, and
    // thousands of placements never seen cost no particle memory.
    ParticleSystem* Particles();

    float x;
    float y;
    std::string name;
    bool selected;
    // The map file element it was read from (see MapSource); 0 when new.
    std::uint32_t source = 0;

protected:
    void SetBoxSize(float width, float height);

private:
    Sprite* m_sprite;
    ParticleSystem* m_particleSource; // owned by the resource manager
    std::unique_ptr<ParticleSystem> m_particles;
    std::unique_ptr<CollisionBox> m_box;
};
