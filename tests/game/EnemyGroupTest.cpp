#include "tests/game/GameTestFixture.h"

#include "game/actors/EnemyManager.h"
#include "game/actors/Player.h"
#include "game/actors/enemies/Littles.h"
#include "game/actors/enemies/Minion_Soul.h"
#include "game/core/GameClock.h"
#include "game/world/RunAction.h"

#include <cmath>

namespace {

class EnemyGroupTest : public GameTestFixture {
protected:
    void SetUp() override {
        GameTestFixture::SetUp();
        m_engine->Random_Seed(3);
        TheGameClock().delta = 1.0f / 60;
    }
    EnemyManager& manager() { return TheEnemyManager(); }
    // Frames of the frame function's enemy steps at 60 a second.
    void Run(float seconds) {
        GameClock& clock = TheGameClock();
        for (int frame = 0; frame < static_cast<int>(seconds * 60); ++frame) {
            clock.time += 1.0f / 60;
            manager().UpdateGroups();
            manager().UpdateEnemies();
            m_game->pauseDuration = 0;
        }
    }
    // The counted enemies of every group (fireballs are not counted).
    int Counted() {
        int count = 0;
        for (const auto& group : manager().Groups()) {
            count += group->minions + group->aggrevators + group->mages;
        }
        return count;
    }
    // Enemies out of reach of the player (who stands far away).
    void Away() {
        ThePlayer().x = 100000;
        ThePlayer().y = 100000;
    }
};

} // namespace

TEST_F(EnemyGroupTest, TheModeFollowsTheCountAndTheTime) {
    manager().AddGroup(5, 10, 500, 1, 10, 2.5);
    manager().AddGroup(5, 0, 500, 1, 10, 2.5);
    manager().AddGroup(0, 10, 500, 1, 10, 2.5);
    manager().AddGroup(0, 0, 500, 1, 10, 2.5);
    const auto& groups = manager().Groups();
    EXPECT_EQ(groups[0]->mode, 1);
    EXPECT_EQ(groups[1]->mode, 2);
    EXPECT_EQ(groups[2]->mode, 0);
    manager().UpdateGroups();
    EXPECT_EQ(groups.size(), 3u); // the one with neither went at once
}

TEST_F(EnemyGroupTest, SpawnsOnTheRingOneASecondAndGoesWhenDoneAndEmpty) {
    Player& player = ThePlayer();
    RunAction(*m_game, "addgroup_3", 0);
    Run(0.9f);
    EXPECT_TRUE(manager().Enemies().empty()); // the first comes one interval in
    Run(0.2f);
    ASSERT_EQ(manager().Enemies().size(), 1u);
    const Base_Enemy& first = *manager().Enemies()[0];
    // Allow its first steps towards the player.
    EXPECT_NEAR(std::hypot(first.x - player.x, first.y - player.y), 500, 30);
    Run(2.0f);
    EXPECT_EQ(manager().Groups()[0]->remaining, 0);
    EXPECT_EQ(manager().Groups()[0]->minions + manager().Groups()[0]->aggrevators +
                  manager().Groups()[0]->mages,
              3);
    // Done spawning but its enemies live: the group stays until they are gone.
    for (const auto& enemy : manager().Enemies()) {
        enemy->health = 0;
    }
    Run(0.1f);
    EXPECT_TRUE(manager().Groups().empty());
}

TEST_F(EnemyGroupTest, NeverMoreThanTwoAggrevatorsOrOneMageAlive) {
    Away();
    manager().AddGroup(40, 0, 500, 0.01f, 10, 2.5);
    int mostAggrevators = 0, mostMages = 0;
    for (int i = 0; i < 50; ++i) {
        Run(1.0f / 60);
        const EnemyGroup& group = *manager().Groups()[0];
        mostAggrevators = std::max(mostAggrevators, group.aggrevators);
        mostMages = std::max(mostMages, group.mages);
    }
    EXPECT_EQ(mostAggrevators, 2);
    EXPECT_EQ(mostMages, 1);
    int mages = 0;
    for (const auto& enemy : manager().Enemies()) {
        mages += enemy->kind == kMage;
    }
    EXPECT_EQ(mages, 1);
}

TEST_F(EnemyGroupTest, MinionsRampUpToTheCeiling) {
    Away();
    manager().AddGroup(1000, 0, 500, 1000, 10, 2.5);
    EnemyGroup& group = *manager().Groups()[0];
    Run(30.5f);
    EXPECT_NEAR(group.speedFactor, 1.6f, 1e-5);
    Minion_Soul fast(0, 0, &group);
    EXPECT_NEAR(fast.speed, 1.6f * 140, 1e-3);
    Run(100);
    EXPECT_NEAR(group.speedFactor, 2.4f, 1e-5);
}

TEST_F(EnemyGroupTest, AfterALongPauseOneSpawnPerGroupPerFrame) {
    Away();
    manager().AddGroup(10, 0, 500, 1, 10, 2.5);
    manager().AddGroup(0, 30, 500, 1, 10, 2.5);
    Run(1.5f);
    const int before = Counted();
    EXPECT_EQ(before, 2);
    // A pause of 20 seconds: the first frame after it spawns one each.
    TheGameClock().time += 20;
    m_game->pauseDuration = 20;
    manager().UpdateGroups();
    EXPECT_EQ(Counted(), before + 2);
    // The timed group's start moved with the pause: it lives on.
    EXPECT_EQ(manager().Groups().size(), 2u);
}

TEST_F(EnemyGroupTest, DeathClearsEveryEnemyAndGroupFireballsIncluded) {
    manager().AddGroup(10, 0, 500, 0.1f, 10, 2.5);
    Away();
    Run(2);
    manager().AddEnemy(std::make_unique<Littles>(0.0f, 0.0f, nullptr, 0.0f));
    ASSERT_FALSE(manager().Enemies().empty());
    ThePlayer().health = -5;
    manager().UpdateGroups();
    EXPECT_TRUE(manager().Enemies().empty());
    EXPECT_TRUE(manager().Groups().empty());
}
