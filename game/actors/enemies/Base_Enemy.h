// What every enemy shares: a position, a box, health and speed, a particle
// system that is all there is to see of it, and the group that counts it.
#pragma once

#include "toolkit/CollisionBox.h"

#include <memory>
#include <string>

class ParticleSystem;
class Sprite;
struct EnemyGroup;

// 0 none, then the element order used everywhere.
enum ElementKind { kNoElement = 0, kFire = 1, kIce = 2, kEarth = 3, kWind = 4 };
enum EnemyKind { kAggrevator = 1, kMinionSoul = 2, kMage = 3, kLittles = 4 };

class Base_Enemy : Pinned {
public:
    // Position, group, spawn time and kind; the kind's constructor sets its
    // values and then calls Finish.
    Base_Enemy(float x, float y, EnemyGroup* group, int kind);
    virtual ~Base_Enemy();

    // A spell's hit: resists its own element to a third; ice slows; the
    // particles shrink with the health left.
    virtual void TakeHit(float damage, const std::string& damageType);
    // True when the enemy must go this frame (killed, or its time is up);
    // pays what a kill pays.
    virtual bool IsFinished();
    // Movement, once a frame while the game runs; by default the chase.
    virtual void Update();
    void Render();

    // False when its sprite or particle file was missing: such an enemy is
    // dropped before it joins the field.
    bool IsUsable() const { return m_particles != nullptr; }
    const CollisionBox& Box() const { return *m_box; }
    ParticleSystem* Particles() const { return m_particles.get(); }
    EnemyGroup* Group() const { return group; }

    float x;
    float y;
    float facing = 0;
    float width = 16;
    float height = 16;
    float targetX = 0;
    float targetY = 0;
    Sprite* sprite = nullptr; // owned by the resource manager
    int element = kNoElement;
    int kind;
    float speed = 0;
    float health = 0;
    float maxHealth = 0;
    float scale = 1;
    float spawnTime = 0;
    std::string elementName;
    EnemyGroup* group;
    float damageMin = 0;
    float damageMax = 0;

protected:
    // Every update begins here: pauses push the spawn time on.
    void ShiftForPause();
    // Along the facing at the speed; the particles follow without a trail.
    void Move();
    // Degrees from the enemy to a point, y down.
    float AngleTo(float px, float py) const;
    // The last of every kind's constructor: the sprite, the particles read
    // from the file and fired, the box from width and height, and one more
    // on the group's counter (nullptr: none), taken back on destruction.
    // Without the sprite or the file the enemy stays unusable.
    void Finish(const char* spriteName, const char* particleFile, int EnemyGroup::*counter);
    // The values of a kind (its table row); width = height = size.
    void SetValues(float scale, float size, float speed, float health, float damageMin,
                   float damageMax);
    // Picks a random element, for the kinds that have one.
    void RandomElement();

    std::unique_ptr<ParticleSystem> m_particles;
    std::unique_ptr<CollisionBox> m_box;

private:
    int EnemyGroup::*m_counter = nullptr;
};
