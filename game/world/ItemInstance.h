// An item made from a definition: lying in the world, then held in the
// inventory.
#pragma once

#include "game/world/PlacedParticles.h"
#include "toolkit/CollisionBox.h"

#include <memory>

struct ItemDefinition;
class ParticleSystem;
class ResourceManager;
class Sprite;

class ItemInstance : Pinned {
public:
    // Both sprites with their hot spots centred; the box is the world
    // sprite's size (0 x 0 without one), centred.
    ItemInstance(const ItemDefinition& definition, float x, float y, ResourceManager& resources);
    ~ItemInstance();

    void Update(float dt);
    // The world sprite, its particles and, in test mode, the box outline.
    void Draw(bool outline);

    float X() const { return m_x; }
    float Y() const { return m_y; }
    const CollisionBox& Box() const { return m_box; }
    const ItemDefinition& Definition() const { return *m_definition; }
    Sprite* GetSprite() const { return m_sprite; }
    Sprite* GetIcon() const { return m_icon; }
    // The particle system copy, or nullptr.
    ParticleSystem* Particles() { return m_particles.Get(); }

    int cell = -1; // inventory cell; -1 while not in the inventory

private:
    float m_x;
    float m_y;
    Sprite* m_sprite = nullptr; // owned by the resource manager
    PlacedParticles m_particles;
    const ItemDefinition* m_definition;
    CollisionBox m_box;
    Sprite* m_icon = nullptr;
};
