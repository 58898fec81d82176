// Every power-up lying around, newest last.
#pragma once

#include "game/actors/PowerUp.h"

#include <set>
#include <vector>

class PowerUpList {
public:
    // A power-up with a copy of the sprite "pwu_" + base name in the colour;
    // none (and one log line per missing sprite) when the sprite is missing.
    void SpawnPowerUp(float x, float y, const std::string& baseName, const std::string& action,
                      float lifetime, std::uint32_t colour);
    // Homing, expiry, then pick-up by the player.
    void Update();
    void Render();

    const std::vector<std::unique_ptr<PowerUp>>& PowerUps() const { return m_powerUps; }

private:
    std::vector<std::unique_ptr<PowerUp>> m_powerUps;
    std::set<std::string> m_missingSprites;
};

PowerUpList& ThePowerUpList();
