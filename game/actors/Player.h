// The character the user steers: walks with W A S D, blocks on solid
// entities, runs the actions of what it touches, picks up items, faces the
// mouse and carries the health enemies take away.
#pragma once

#include "toolkit/CollisionBox.h"

class Sprite;

class Player : Pinned {
public:
    static constexpr float kStartHealth = 1000.0f;

    // At the centre of the game's screen, sized by the sprite "player" (a
    // game without that sprite gets a player it cannot draw, and a log line).
    Player();

    // One step of speed x delta in a direction of whole degrees (270 up);
    // undone against a blocking entity; the camera follows an unblocked step.
    void MoveStep(int direction);
    // Arriving counts as a step onto the spot: the places the player starts
    // in (the Warden's reach) speak before any key is pressed.
    void Arrive();
    // Faces the mouse (screen position) unless the game is paused; draws.
    void Render(float mouseX, float mouseY);

    const CollisionBox& Box() const { return m_box; }
    const Sprite* GetSprite() const { return m_sprite; }
    bool IsDead() const { return health <= 0; }

    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;
    float facing = 0;
    float health = kStartHealth;
    float speed = 130.0f;

private:
    void PickUpItems();

    Sprite* m_sprite = nullptr; // owned by the resource manager
    CollisionBox m_box;
    float m_lastFullNotice = -1.0f; // when the full inventory last said so
};

Player& ThePlayer();
