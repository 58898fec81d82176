#include "tests/game/GameTestFixture.h"

#include "game/actors/Player.h"
#include "game/actors/PowerUpList.h"
#include "game/actors/SpellManager.h"
#include "game/core/GameClock.h"

namespace {

class PowerUpTest : public GameTestFixture {
protected:
    void SetUp() override {
        GameTestFixture::SetUp();
        TheGameClock().delta = 1.0f / 60;
        TheGameClock().time = 1;
    }
    PowerUpList& list() { return ThePowerUpList(); }
};

} // namespace

TEST_F(PowerUpTest, HomesInFasterWhenNearerAndNotAtAll48PixelsUpLeft) {
    Player& player = ThePlayer();
    list().SpawnPowerUp(player.x - 48, player.y - 48, "health", "powerup_health", 7, 0xFFFFFFFF);
    list().SpawnPowerUp(player.x + 300, player.y, "orb_base", "powerup_fire", 7, 0xFFFF0000);
    list().SpawnPowerUp(player.x + 150, player.y, "orb_base", "powerup_fire", 7, 0xFFFF0000);
    list().Update();
    const auto& powerUps = list().PowerUps();
    ASSERT_EQ(powerUps.size(), 3u);
    EXPECT_EQ(powerUps[0]->x, player.x - 48);
    EXPECT_EQ(powerUps[0]->y, player.y - 48);
    const float far = player.x + 300 - powerUps[1]->x;
    const float near = player.x + 150 - powerUps[2]->x;
    EXPECT_GT(far, 0);
    EXPECT_GT(near, far);
}

TEST_F(PowerUpTest, PickUpRunsTheActionAndFlashesTheOrbs) {
    Player& player = ThePlayer();
    TheGameClock().flashAlpha = 0;
    list().SpawnPowerUp(player.x, player.y, "orb_base", "powerup_earth", 7, 0xFF00FF00);
    list().Update();
    EXPECT_TRUE(list().PowerUps().empty());
    EXPECT_EQ(TheSpellManager().earth, 15);
    EXPECT_EQ(TheGameClock().flashAlpha, 255);
}

TEST_F(PowerUpTest, ExpiryComesBeforePickUpAndPausesDoNotStretchLifetimes) {
    Player& player = ThePlayer();
    list().SpawnPowerUp(player.x, player.y, "health", "powerup_health", 7, 0xFFFFFFFF);
    list().SpawnPowerUp(player.x + 400, player.y + 400, "health", "powerup_health", 7, 0xFFFFFFFF);
    // Seven seconds later, say after a long pause: both are gone, the one
    // on the player without healing it.
    TheGameClock().time = 8;
    m_game->pauseDuration = 6;
    list().Update();
    EXPECT_TRUE(list().PowerUps().empty());
    EXPECT_EQ(player.health, 1000);
}

TEST_F(PowerUpTest, AMissingSpriteDropsNothingAndSaysSoOnce) {
    list().SpawnPowerUp(1, 1, "no_such", "powerup_health", 7, 0xFFFFFFFF);
    list().SpawnPowerUp(1, 1, "no_such", "powerup_health", 7, 0xFFFFFFFF);
    EXPECT_TRUE(list().PowerUps().empty());
    const std::string log = m_engine.ReadLog();
    const std::string line = "The sprite \"pwu_no_such\" is missing";
    ASSERT_NE(log.find(line), std::string::npos);
    EXPECT_EQ(log.find(line, log.find(line) + 1), std::string::npos);
}
