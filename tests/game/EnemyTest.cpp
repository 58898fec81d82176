#include "tests/game/GameTestFixture.h"

#include "game/actors/EnemyManager.h"
#include "game/actors/Player.h"
#include "game/actors/PowerUpList.h"
#include "game/actors/SpellManager.h"
#include "game/actors/enemies/Aggrevator.h"
#include "game/actors/enemies/Littles.h"
#include "game/actors/enemies/Mage.h"
#include "game/actors/enemies/Minion_Soul.h"
#include "game/core/GameClock.h"
#include "game/core/ScreenEffects.h"
#include "game/ui/HudBars.h"
#include "overlays/AlertList.h"
#include "toolkit/ParticleSystem.h"

#include <cmath>

namespace {

class EnemyTest : public GameTestFixture {
protected:
    void SetUp() override {
        GameTestFixture::SetUp();
        m_engine->Random_Seed(7);
        TheGameClock().delta = 1.0f / 60;
        TheGameClock().time = 1;
    }
    EnemyManager& manager() { return TheEnemyManager(); }
    EnemyGroup& Group() {
        manager().AddGroup(10, 0, 500, 1, 10, 2.5);
        return *manager().Groups().back();
    }
    template <typename T, typename... Args> T& Add(Args... args) {
        auto enemy = std::make_unique<T>(args...);
        T& added = *enemy;
        manager().AddEnemy(std::move(enemy));
        return added;
    }
};

} // namespace

TEST_F(EnemyTest, EachKindHasItsValues) {
    EnemyGroup& group = Group();
    group.speedFactor = 1.6f;
    Minion_Soul minion(10, 20, &group);
    EXPECT_EQ(minion.kind, kMinionSoul);
    EXPECT_GE(minion.scale, 0.5f);
    EXPECT_LE(minion.scale, 1.5f);
    EXPECT_FLOAT_EQ(minion.width, 16 * minion.scale);
    EXPECT_FLOAT_EQ(minion.Box().Width(), 16 * minion.scale);
    EXPECT_FLOAT_EQ(minion.speed, 1.6f * 140);
    EXPECT_FLOAT_EQ(minion.health, 200 * minion.scale);
    EXPECT_FLOAT_EQ(minion.damageMax, 150 * minion.scale);
    EXPECT_GE(minion.element, 1);
    EXPECT_LE(minion.element, 4);
    EXPECT_EQ(minion.sprite, m_resources->GetSprite("basic_enemy"));
    EXPECT_EQ(minion.spawnTime, 1);

    Aggrevator aggrevator(0, 0, &group);
    Mage mage(0, 0, &group);
    Littles fireball(0, 0, &group, 30);
    const Base_Enemy* others[] = {&aggrevator, &mage, &fireball};
    const float speeds[] = {300, 200, 400};
    const float damageMin[] = {65, 65, 100};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(others[i]->width, 16);
        EXPECT_EQ(others[i]->speed, speeds[i]);
        EXPECT_EQ(others[i]->health, 25);
        EXPECT_EQ(others[i]->scale, 0.5f);
        EXPECT_EQ(others[i]->damageMin, damageMin[i]);
        EXPECT_EQ(others[i]->element, kNoElement);
        EXPECT_EQ(others[i]->elementName, "");
    }
    EXPECT_EQ(fireball.sprite, m_resources->GetSprite("sp_Fireball"));
}

TEST_F(EnemyTest, MinionsAreTintedByTheirElementAndTheColoursGoBackRounded) {
    ParticleSystemInfo info;
    Minion_Soul::Tint(info, kIce);
    EXPECT_FLOAT_EQ(info.colorStart.b, 1.0f);
    EXPECT_FLOAT_EQ(info.colorStart.r, 0.0f);
    EXPECT_FLOAT_EQ(info.colorEnd.r, 200.0f / 255);
    EXPECT_FLOAT_EQ(info.colorVar, 0.7f);
    EXPECT_EQ(Minion_Soul::Packed(info.colorStart), 0xFF0000FFu);
    EXPECT_EQ(Minion_Soul::Packed(info.colorEnd), 0xFFC8C8FFu);
    Minion_Soul::Tint(info, kFire);
    EXPECT_EQ(Minion_Soul::Packed(info.colorStart), 0xFFFF0A00u);
    EXPECT_FLOAT_EQ(info.colorVar, 0.75f);
    Minion_Soul::Tint(info, kWind);
    EXPECT_EQ(Minion_Soul::Packed(info.colorEnd), 0xFFFFFFFFu);
    EXPECT_EQ(info.colorVar, 0.0f);
}

TEST_F(EnemyTest, GroupCountersFollowCreationAndDestruction) {
    EnemyGroup& group = Group();
    {
        Minion_Soul a(0, 0, &group), b(0, 0, &group);
        Aggrevator c(0, 0, &group);
        Mage d(0, 0, &group);
        Littles e(0, 0, &group, 0);
        EXPECT_EQ(group.minions, 2);
        EXPECT_EQ(group.aggrevators, 1);
        EXPECT_EQ(group.mages, 1);
    }
    EXPECT_EQ(group.minions, 0);
    EXPECT_EQ(group.aggrevators, 0);
    EXPECT_EQ(group.mages, 0);
}

TEST_F(EnemyTest, AMinionTimesOutWithoutRewardsAndAKillPays) {
    Minion_Soul& old = Add<Minion_Soul>(3000, 3000, nullptr);
    TheGameClock().time = 16.5f;
    EXPECT_TRUE(old.IsFinished());
    EXPECT_EQ(m_game->score, 0);
    EXPECT_TRUE(ThePowerUpList().PowerUps().empty());

    // Kill minions until both kinds of drop have come: about one in four
    // drops orbs in its colour, one in six health, each kill half an orb.
    SpellManager& spells = TheSpellManager();
    const float before = spells.fire + spells.ice + spells.earth + spells.wind;
    int orbDrops = 0, healthDrops = 0;
    for (int i = 0; i < 48; ++i) {
        Minion_Soul minion(3000, 3000, nullptr);
        minion.health = 0;
        const std::size_t drops = ThePowerUpList().PowerUps().size();
        ASSERT_TRUE(minion.IsFinished());
        for (std::size_t d = drops; d < ThePowerUpList().PowerUps().size(); ++d) {
            const PowerUp& drop = *ThePowerUpList().PowerUps()[d];
            if (drop.BaseName() == "orb_base") {
                EXPECT_EQ(drop.Action(), "powerup_" + minion.elementName);
                ++orbDrops;
            } else {
                EXPECT_EQ(drop.Action(), "powerup_health");
                ++healthDrops;
            }
        }
    }
    EXPECT_EQ(m_game->score, 48 * 1000);
    EXPECT_FLOAT_EQ(spells.fire + spells.ice + spells.earth + spells.wind, before + 24);
    EXPECT_GT(orbDrops, 4);
    EXPECT_LT(orbDrops, 24);
    EXPECT_GT(healthDrops, 2);
    EXPECT_LT(healthDrops, 18);
}

TEST_F(EnemyTest, MinionsChaseAndAggrevatorsDartBetweenPointsOfTheScreen) {
    Player& player = ThePlayer();
    Minion_Soul& minion = Add<Minion_Soul>(player.x + 300, player.y, nullptr);
    const float speed = minion.speed;
    minion.Update();
    EXPECT_NEAR(minion.x, player.x + 300 - speed / 60, 1e-3);
    EXPECT_NEAR(minion.facing, 180, 1e-3);

    m_game->cameraX = 2000;
    m_game->cameraY = -500;
    Aggrevator& aggrevator = Add<Aggrevator>(2500.0f, 0.0f, nullptr);
    for (int i = 0; i < 600; ++i) {
        const float oldX = aggrevator.waypointX, oldY = aggrevator.waypointY;
        aggrevator.Update();
        if (aggrevator.waypointX != oldX || aggrevator.waypointY != oldY) {
            EXPECT_GE(aggrevator.waypointX, 2000);
            EXPECT_LE(aggrevator.waypointX, 2000 + 1024);
            EXPECT_GE(aggrevator.waypointY, -500);
            EXPECT_LE(aggrevator.waypointY, -500 + 768);
        }
    }
}

TEST_F(EnemyTest, AMageFiresAtOnceThenWalksTheCornersClockwise) {
    Player& player = ThePlayer();
    Mage& mage = Add<Mage>(512.0f, 100.0f, nullptr);
    mage.Update();
    // Three fireballs at the player, 10 degrees to each side.
    ASSERT_EQ(manager().Enemies().size(), 4u);
    const float a = 90.0f - std::atan2(player.x - 512.0f, player.y - 100.0f) * 57.2957763671875f;
    const float expected[] = {a, a + 10, a - 10};
    for (int i = 0; i < 3; ++i) {
        auto* fireball = dynamic_cast<Littles*>(manager().Enemies()[1 + i].get());
        ASSERT_NE(fireball, nullptr);
        EXPECT_FLOAT_EQ(fireball->direction, expected[i]);
        EXPECT_EQ(fireball->x, 512.0f);
    }
    EXPECT_EQ(mage.waypointX, 512 - 300);
    EXPECT_EQ(mage.waypointY, 384 - 300);
    EXPECT_EQ(mage.cornerPhase, 2);

    // Walk it around: corners come in the order top-left, top-right,
    // bottom-right, bottom-left, each with a volley.
    std::vector<std::pair<float, float>> corners;
    GameClock& clock = TheGameClock();
    for (int frame = 0; frame < 60 * 20; ++frame) {
        clock.time += 1.0f / 60;
        const float wx = mage.waypointX, wy = mage.waypointY;
        mage.Update();
        if (mage.waypointX != wx || mage.waypointY != wy) {
            corners.push_back({mage.waypointX, mage.waypointY});
        }
    }
    ASSERT_GE(corners.size(), 4u);
    EXPECT_EQ(corners[0], std::make_pair(812.0f, 84.0f));
    EXPECT_EQ(corners[1], std::make_pair(812.0f, 684.0f));
    EXPECT_EQ(corners[2], std::make_pair(212.0f, 684.0f));
    EXPECT_EQ(corners[3], std::make_pair(212.0f, 84.0f));
}

TEST_F(EnemyTest, HitsResistTheOwnElementIceSlowsAndTheParticlesShrink) {
    Minion_Soul& minion = Add<Minion_Soul>(0.0f, 0.0f, nullptr);
    minion.health = minion.maxHealth = 300;
    const float speed = minion.speed;
    const float size = minion.Particles()->GetInfo().sizeStart;
    const std::string own = minion.elementName;
    const std::string other = own == "ice" ? "fire" : "ice";
    minion.TakeHit(90, own);
    EXPECT_FLOAT_EQ(minion.health, 270);
    EXPECT_FLOAT_EQ(minion.Particles()->GetInfo().sizeStart, size * minion.scale * 0.9f);
    minion.TakeHit(30, "");
    EXPECT_FLOAT_EQ(minion.health, 240); // an empty type is no element
    Aggrevator& aggrevator = Add<Aggrevator>(0.0f, 0.0f, nullptr);
    aggrevator.TakeHit(15, "");
    EXPECT_FLOAT_EQ(aggrevator.health, 20); // an enemy without element resists ""

    Minion_Soul& cold = Add<Minion_Soul>(0.0f, 0.0f, nullptr);
    if (cold.elementName == "ice") {
        cold.elementName = "fire";
    }
    cold.TakeHit(1, "ice");
    cold.TakeHit(1, "ice");
    EXPECT_FLOAT_EQ(cold.speed, speed / 4);
}

TEST_F(EnemyTest, ContactHurtsByTheHealthLeftWithANoticeInTenths) {
    Player& player = ThePlayer();
    Minion_Soul& minion = Add<Minion_Soul>(player.x, player.y, nullptr);
    minion.damageMin = minion.damageMax = 180;
    minion.health = minion.maxHealth / 2;
    minion.speed = 0;
    manager().UpdateEnemies();
    EXPECT_TRUE(manager().Enemies().empty()); // spent itself
    EXPECT_EQ(player.health, 910);
    EXPECT_EQ(AlertTexts().back(), "9 damage taken!");
    ScreenEffects& effects = TheScreenEffects();
    EXPECT_EQ(effects.mode, 2);
    EXPECT_EQ(effects.shaderIndex, 1);
    EXPECT_TRUE(effects.pulseActive);
    EXPECT_TRUE(effects.effectsOn);
    EXPECT_EQ(m_game->score, 0); // no kill

    Littles& fireball = Add<Littles>(player.x, player.y, nullptr, 0.0f);
    fireball.damageMin = fireball.damageMax = 9;
    fireball.speed = 0;
    manager().UpdateEnemies();
    EXPECT_EQ(player.health, 901);
    EXPECT_EQ(AlertTexts().back(), "0 damage taken!");
}

TEST_F(EnemyTest, AnAggrevatorStaysAndHurtsOnceUnderContinuousContact) {
    Player& player = ThePlayer();
    Aggrevator& aggrevator = Add<Aggrevator>(player.x, player.y, nullptr);
    aggrevator.speed = 0;
    GameClock& clock = TheGameClock();
    for (int frame = 0; frame < 60; ++frame) {
        clock.time = 5 + static_cast<float>(frame) / 60;
        manager().UpdateEnemies();
    }
    EXPECT_EQ(manager().Enemies().size(), 1u);
    EXPECT_GE(player.health, 1000 - 75);
    EXPECT_LE(player.health, 1000 - 65);
    // A killed minion is taken away before it could touch the player.
    Minion_Soul& dead = Add<Minion_Soul>(player.x, player.y, nullptr);
    dead.health = 0;
    const float health = player.health;
    clock.time += 0.1f;
    manager().UpdateEnemies();
    EXPECT_EQ(player.health, health);
    EXPECT_EQ(m_game->score, 1000);
}

TEST_F(EnemyTest, PausesMoveSpawnTimesButNotTheMagesNextVolley) {
    Minion_Soul& minion = Add<Minion_Soul>(3000.0f, 3000.0f, nullptr);
    Mage& mage = Add<Mage>(3000.0f, 3000.0f, nullptr);
    mage.Update(); // fires, next volley at 4
    const std::size_t count = manager().Enemies().size();
    m_game->pauseDuration = 60;
    TheGameClock().time = 61;
    minion.Update();
    EXPECT_EQ(minion.spawnTime, 61);
    EXPECT_FALSE(minion.IsFinished());
    mage.waypointX = mage.x;
    mage.waypointY = mage.y;
    mage.Update();
    EXPECT_EQ(manager().Enemies().size(), count + 3);
}

TEST_F(EnemyTest, OnlyEnemiesRemovedWithNoHealthLeftCountAsKills) {
    Add<Minion_Soul>(3000, 3000, nullptr).health = 0;
    Add<Minion_Soul>(3000, 3100, nullptr); // times out below
    Add<Mage>(3000, 3200, nullptr).health = -5;
    TheGameClock().time = 16.5f;
    manager().UpdateEnemies(); // the Mage's last volley stays in flight
    EXPECT_EQ(manager().Kills(kMinionSoul), 1);
    EXPECT_EQ(manager().Kills(kMage), 1);
    EXPECT_EQ(manager().Kills(kAggrevator), 0);
    EXPECT_EQ(manager().Kills(9), 0);
}

TEST_F(EnemyTest, MarkersPointAtNearbyEnemiesOutOfSightFromTheScreensEdge) {
    EnemyGroup& group = Group();
    ThePlayer().x = 512;
    ThePlayer().y = 384;
    Add<Minion_Soul>(600.0f, 300.0f, &group);  // on screen
    Add<Mage>(1300.0f, 384.0f, &group);        // right, 788 px away
    Add<Minion_Soul>(512.0f, -300.0f, &group); // above, 684 px away
    Add<Minion_Soul>(3000.0f, 384.0f, &group); // too far to matter yet
    const std::vector<EnemyMarker> markers = FindEnemyMarkers(0, 0, 1024, 768);
    ASSERT_EQ(markers.size(), 2u);
    EXPECT_EQ(markers[0].kind, kMage);
    EXPECT_NEAR(markers[0].x, 1024 - 18, 0.01);
    EXPECT_NEAR(markers[0].y, 384, 0.01);
    EXPECT_NEAR(markers[0].angle, 0, 1e-4);
    EXPECT_EQ(markers[1].kind, kMinionSoul);
    EXPECT_NEAR(markers[1].x, 512, 0.01);
    EXPECT_NEAR(markers[1].y, 18, 0.01);
    // Once the view moves onto the mage, it needs no arrow.
    EXPECT_EQ(FindEnemyMarkers(300, 0, 1024, 768).size(), 1u);
}
