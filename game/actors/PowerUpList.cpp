#include "game/actors/PowerUpList.h"

#include "game/actors/Player.h"
#include "game/core/Game.h"
#include "game/core/GameClock.h"
#include "game/world/RunAction.h"
#include "platform/registry/Registry.h"
#include "toolkit/Sprite.h"

PowerUpList& ThePowerUpList() {
    return Registry::Current().Get<PowerUpList>();
}

void PowerUpList::SpawnPowerUp(float x, float y, const std::string& baseName,
                               const std::string& action, float lifetime, std::uint32_t colour) {
    Game* game = TheGame();
    const std::string name = "pwu_" + baseName;
    Sprite* original = game && game->resources ? game->resources->GetSprite(name.c_str()) : nullptr;
    if (!original) {
        if (game && m_missingSprites.insert(name).second) {
            game->engine->System_Log("The sprite \"%s\" is missing: no such power-up drops",
                                     name.c_str());
        }
        return;
    }
    auto sprite = std::make_unique<Sprite>(*original);
    sprite->SetColor(colour);
    m_powerUps.push_back(std::make_unique<PowerUp>(x, y, baseName, std::move(sprite),
                                                   TheGameClock().time, lifetime, action));
}

void PowerUpList::Update() {
    Game& game = *TheGame();
    GameClock& clock = TheGameClock();
    Player& player = ThePlayer();
    for (std::size_t i = 0; i < m_powerUps.size();) {
        PowerUp& powerUp = *m_powerUps[i];
        powerUp.Home(player.x, player.y, clock.delta);
        if (powerUp.Expired(clock.time)) {
            m_powerUps.erase(m_powerUps.begin() + static_cast<std::ptrdiff_t>(i));
        } else if (CollisionBox::Overlap(powerUp.Box(), player.Box())) {
            // Taken out first: the action may spawn more power-ups.
            std::unique_ptr<PowerUp> taken = std::move(m_powerUps[i]);
            m_powerUps.erase(m_powerUps.begin() + static_cast<std::ptrdiff_t>(i));
            RunAction(game, taken->Action(), 0.0f);
            clock.flashAlpha = 255;
        } else {
            ++i;
        }
    }
}

void PowerUpList::Render() {
    for (const auto& powerUp : m_powerUps) {
        powerUp->Render();
    }
}
