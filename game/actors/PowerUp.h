// What a killed minion drops: a tinted sprite that homes in on the player,
// expires after its lifetime and runs its action when the player touches it.
#pragma once

#include "toolkit/CollisionBox.h"

#include <cstdint>
#include <memory>
#include <string>

class Sprite;

class PowerUp : Pinned {
public:
    // sprite: a copy of the resource sprite "pwu_" + base name.
    PowerUp(float x, float y, std::string baseName, std::unique_ptr<Sprite> sprite, float spawnTime,
            float lifetime, std::string action);
    ~PowerUp();

    // Pulled towards the player (faster when nearer).
    void Home(float playerX, float playerY, float dt);
    bool Expired(float now) const { return now >= m_spawnTime + m_lifetime; }
    void Render();

    const CollisionBox& Box() const { return m_box; }
    const std::string& Action() const { return m_action; }
    const std::string& BaseName() const { return m_baseName; }
    float x;
    float y;

private:
    std::string m_baseName;
    std::unique_ptr<Sprite> m_sprite;
    float m_spawnTime;
    float m_lifetime;
    std::string m_action;
    CollisionBox m_box;
};
