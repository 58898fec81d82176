#include "tests/game/GameTestFixture.h"

#include "game/actors/EnemyManager.h"
#include "game/actors/Player.h"
#include "game/actors/SpellManager.h"
#include "game/core/GameClock.h"
#include "game/core/ScreenEffects.h"
#include "game/ui/Book.h"
#include "game/world/RunAction.h"
#include "overlays/AlertList.h"

namespace {

class RunActionTest : public GameTestFixture {
protected:
    void Run(const std::string& command, float cooldown = 0) {
        RunAction(*m_game, command, cooldown);
    }
    const std::list<Alert>& Alerts() { return Registry::Current().Get<AlertList>().Alerts(); }
};

} // namespace

TEST_F(RunActionTest, PowerUpsHealAndGiveOrbsWithGreenNoticesOverThePlayer) {
    Player& player = ThePlayer();
    SpellManager& spells = TheSpellManager();
    Run("powerup_health");
    Run("powerup_fire");
    Run("powerup_ice");
    Run("powerup_wind");
    Run("powerup_earth");
    Run("powerup_gold");
    Run("powerup_");
    EXPECT_EQ(player.health, 1020);
    EXPECT_EQ(spells.fire, 35);
    EXPECT_EQ(spells.ice, 25);
    EXPECT_EQ(spells.earth, 15);
    EXPECT_EQ(spells.wind, 10);
    std::vector<std::string> texts;
    float above = player.y - 32 + 1;
    for (const Alert& alert : Alerts()) {
        texts.push_back(alert.text);
        EXPECT_EQ(alert.colour, 0xFF00FF14u);
        EXPECT_EQ(alert.x, player.x);
        EXPECT_LT(alert.y, above); // each a line above the last, never over it
        above = alert.y;
        EXPECT_EQ(alert.align, 2);
        EXPECT_FALSE(alert.screenFixed);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"+20 Health", "+5 Fire Orb", "+5 Ice Orb",
                                               "+5 Wind Orb", "+5 Earth Orb"}));
}

TEST_F(RunActionTest, PowerUpAllGivesFiveOrbsOfEveryElement) {
    SpellManager& spells = TheSpellManager();
    spells.ResetOrbs();
    Run("powerup_all");
    EXPECT_EQ(spells.fire, 35);
    EXPECT_EQ(spells.ice, 25);
    EXPECT_EQ(spells.earth, 15);
    EXPECT_EQ(spells.wind, 10);
    EXPECT_EQ(Alerts().size(), 4u);
    EXPECT_EQ(m_game->actionsRun, (std::vector<std::string>{"powerup_all"}));
}

TEST_F(RunActionTest, WholeNumbersAreReadFromTheStartAndSaturate) {
    Player& player = ThePlayer();
    Run("addhealth_-50");
    EXPECT_EQ(player.health, 950);
    Run("addhealth_ 25 apples");
    EXPECT_EQ(player.health, 975);
    Run("addhealth_lots");
    EXPECT_EQ(player.health, 975);
    Run("addhealth_99999999999999999999");
    EXPECT_EQ(player.health, 975.0f + 2147483647.0f);
    EXPECT_TRUE(Alerts().empty());
}

TEST_F(RunActionTest, GroupsAndBooks) {
    Run("addgroup_3");
    Run("addgroup_zero");
    const auto& groups = TheEnemyManager().Groups();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0]->remaining, 3);
    EXPECT_EQ(groups[0]->mode, 2);
    EXPECT_EQ(groups[0]->spawnRadius, 500);
    EXPECT_EQ(groups[0]->maxSpeedFactor, 2.5f);
    EXPECT_EQ(groups[1]->mode, -1); // neither count nor time: finished at once
    Run("openbook");                // no "_": the whole command names the book
    EXPECT_TRUE(TheBook().open);
    EXPECT_EQ(TheBook().name, "openbook");
}

TEST_F(RunActionTest, DamageNeedsACooldownAndContinuousContactHurtsOnce) {
    Player& player = ThePlayer();
    GameClock& clock = TheGameClock();
    clock.time = 10;
    Run("aggdmg_120", 0);
    EXPECT_EQ(player.health, 1000);
    EXPECT_TRUE(Alerts().empty());
    // Contact every frame for a second: damage once.
    for (int frame = 0; frame < 60; ++frame) {
        clock.time = 20 + static_cast<float>(frame) / 60;
        Run("aggdmg_120", 0.5f);
    }
    EXPECT_EQ(player.health, 880);
    // A gap longer than the cooldown: damage again.
    clock.time += 0.6f;
    Run("aggdmg_120", 0.5f);
    EXPECT_EQ(player.health, 760);
    EXPECT_FLOAT_EQ(m_game->actionCooldowns["aggdmg"], clock.time + 0.5f);
}

TEST_F(RunActionTest, DamageShowsTenthsInRedAndShakesTheScreenEvenWithEffectsOff) {
    Player& player = ThePlayer();
    GameClock& clock = TheGameClock();
    ScreenEffects& effects = TheScreenEffects();
    effects.effectsOn = false;
    clock.time = 5;
    m_game->cameraX = 100;
    Run("aggdmg_7", 0.5f);
    EXPECT_EQ(player.health, 993);
    ASSERT_EQ(Alerts().size(), 1u);
    EXPECT_EQ(Alerts().front().text, "0 damage taken!");
    EXPECT_EQ(Alerts().front().colour, 0xFFFF0000u);
    EXPECT_TRUE(effects.effectsOn);
    EXPECT_EQ(effects.mode, 0);
    EXPECT_FLOAT_EQ(effects.rippleX, player.x - 100);
    EXPECT_FLOAT_EQ(effects.rippleEnd, 5.2f);
    EXPECT_EQ(effects.WorldEffectCount(), 1); // the Circle of Flame
    EXPECT_EQ(clock.slowFactor, 2.0f);
    EXPECT_FLOAT_EQ(clock.slowMotionEnd, 6.0f);
}

TEST_F(RunActionTest, OddCommandsDoNothingButTheCooldownIsStillWritten) {
    Player& player = ThePlayer();
    TheGameClock().time = 3;
    for (const char* command : {"", "_", "__", "dance_now", "dialogue", "Powerup_health"}) {
        Run(command, 0.2f);
    }
    EXPECT_EQ(player.health, 1000);
    EXPECT_TRUE(Alerts().empty());
    EXPECT_FLOAT_EQ(m_game->actionCooldowns["dance"], 3.2f);
    EXPECT_FLOAT_EQ(m_game->actionCooldowns[""], 3.2f);
}

TEST_F(RunActionTest, TheFramesActionsListHoldsWhatTookEffectInOrder) {
    TheGameClock().time = 10;
    Run("powerup_fire");
    Run("aggdmg_100", 0.5f);
    Run("aggdmg_100", 0.5f); // held back by the cooldown
    Run("fly_away");
    Run("addhealth_5");
    EXPECT_EQ(m_game->actionsRun,
              (std::vector<std::string>{"powerup_fire", "aggdmg_100", "addhealth_5"}));
}
