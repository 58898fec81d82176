// The first wave in the real game, headless, on an empty map.
#include "tests/game/GameRun.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

TEST(EnemyScenario, TheFirstWaveComesFromTheRingKillsAStillPlayerAndLRestarts) {
    std::string dir = testing_support::MakeTempDir("map");
    testing_support::WriteFile(dir + "/empty.xml", "<map name='empty'/>");
    // Two minutes of game time; L pressed a minute in.
    GameRun run =
        RunGame("3600 key 0x4C down\n3601 key 0x4C up\n", 7200, "", {"--map", dir + "/empty.xml"});
    ASSERT_EQ(run.result.exitCode, 0) << run.result.output;
    ASSERT_EQ(run.trace.size(), 7200u);

    int deathFrame = -1;
    int spawns = 0;
    std::vector<double> spawnTimes;
    for (const JsonValue& record : run.trace) {
        const JsonValue& enemies = record["enemies"];
        const JsonValue& player = record["player"];
        int aggrevators = 0, mages = 0;
        for (const JsonValue& enemy : enemies.AsArray()) {
            aggrevators += enemy["kind"].AsNumber() == 1;
            mages += enemy["kind"].AsNumber() == 3;
        }
        EXPECT_LE(aggrevators, 2);
        EXPECT_LE(mages, 1);
        if (!record["groups"].AsArray().empty()) {
            const double remaining = record["groups"][0]["remaining"].AsNumber();
            if (60 - remaining > spawns) {
                spawns = static_cast<int>(60 - remaining);
                spawnTimes.push_back(record["time"].AsNumber());
                // The newest counted enemy stands on the 500-pixel ring (it
                // has taken one step already).
                for (size_t i = enemies.size(); i-- > 0;) {
                    if (enemies[i]["kind"].AsNumber() != 4) {
                        const double d =
                            std::hypot(enemies[i]["x"].AsNumber() - player["x"].AsNumber(),
                                       enemies[i]["y"].AsNumber() - player["y"].AsNumber());
                        EXPECT_NEAR(d, 500, 8) << "frame " << record["frame"].AsNumber();
                        break;
                    }
                }
            }
        }
        if (deathFrame < 0 && player["health"].AsNumber() <= 0) {
            deathFrame = static_cast<int>(record["frame"].AsNumber());
        }
    }
    ASSERT_GT(deathFrame, 0);
    EXPECT_LT(deathFrame, 3600);
    // The groups' next update finds the player dead and clears the field,
    // fireballs too.
    EXPECT_TRUE(Frame(run, deathFrame + 1)["enemies"].AsArray().empty());
    EXPECT_TRUE(Frame(run, deathFrame + 1)["groups"].AsArray().empty());
    ASSERT_GE(spawnTimes.size(), 3u);
    for (size_t i = 1; i < spawnTimes.size(); ++i) {
        EXPECT_NEAR(spawnTimes[i] - spawnTimes[i - 1], 1.0, 0.02);
    }
    EXPECT_NEAR(spawnTimes[0], 1.0, 0.05); // a frame or two: the clock is sampled at frame end

    const JsonValue& restarted = Frame(run, 3601);
    EXPECT_EQ(restarted["player"]["health"].AsNumber(), 1000);
    EXPECT_EQ(restarted["score"].AsNumber(), 0);
    EXPECT_EQ(restarted["difficulty"].AsNumber(), 1.0);
    EXPECT_EQ(restarted["orbs"][0].AsNumber(), 30);
    EXPECT_EQ(restarted["orbs"][3].AsNumber(), 5);
    // No wave is left after the death; the field stays quiet.
    EXPECT_TRUE(run.trace.back()["enemies"].AsArray().empty());
}
