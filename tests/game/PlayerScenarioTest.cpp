// The player walking the real game, headless, read back from the trace.
#include "tests/game/GameRun.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// A spring left of the start, bread right of it, a rock below the spring:
// the player starts at (512, 384).
std::string TestMap() {
    return WriteMap("<map name='walk'>"
                    "<entity x='330' y='384' ent_name='spring'/>"
                    "<entity x='358' y='500' ent_name='rock_large'/>"
                    "<item x='620' y='384' it_name='Bread'/>"
                    "</map>");
}

} // namespace

TEST(PlayerScenario, WalkingPicksUpBreadHealsInTheSpringAndSolidRockStops) {
    // D until past the bread, A back into the spring, S against the rock.
    GameRun run = RunGame("2 key 0x44 down\n"
                          "60 key 0x44 up\n"
                          "61 key 0x41 down\n"
                          "190 key 0x41 up\n"
                          "191 key 0x53 down\n"
                          "260 key 0x53 up\n",
                          270, "", {"--map", TestMap()});
    ASSERT_EQ(run.result.exitCode, 0) << run.result.output;
    const JsonValue& before = Frame(run, 1);
    const JsonValue& picked = Frame(run, 60);
    EXPECT_EQ(before["inventory"]["items"].size(), 2u); // the two keys
    ASSERT_EQ(picked["inventory"]["items"].size(), 3u);
    EXPECT_EQ(picked["inventory"]["items"][2]["name"].AsString(), "Bread");
    EXPECT_EQ(picked["inventory"]["items"][2]["cell"].AsNumber(), 0);
    EXPECT_EQ(picked["world"]["active_items"].AsNumber(), 0);
    // 58 steps of 130/60 pixels.
    EXPECT_NEAR(picked["player"]["x"].AsNumber(), 512 + 58 * 130.0 / 60, 0.05);
    EXPECT_NEAR(picked["camera"][0].AsNumber(), 58 * 130.0 / 60, 0.05);

    const JsonValue& healed = Frame(run, 190);
    EXPECT_GT(healed["player"]["health"].AsNumber(), 1000);
    bool sawHealth = false;
    for (const JsonValue& alert : healed["alerts"].AsArray()) {
        sawHealth = sawHealth || alert["text"].AsString().rfind("+20 Health", 0) == 0;
    }
    EXPECT_TRUE(sawHealth);
    // Standing still in the spring heals no more.
    EXPECT_EQ(Frame(run, 269)["player"]["health"].AsNumber(),
              Frame(run, 262)["player"]["health"].AsNumber());
    // The rock stops the walk down: some steps went, then none.
    const double y1 = Frame(run, 230)["player"]["y"].AsNumber();
    const double y2 = Frame(run, 259)["player"]["y"].AsNumber();
    EXPECT_GT(y1, 384);
    EXPECT_EQ(y1, y2);
}

TEST(PlayerScenario, PHoldsThePauseUntilPressedAgain) {
    GameRun run = RunGame("10 key 0x50 down\n11 key 0x50 up\n"
                          "12 key 0x44 down\n"
                          "70 key 0x50 down\n71 key 0x50 up\n"
                          "90 key 0x44 up\n",
                          100, "", {"--map", TestMap()});
    ASSERT_EQ(run.result.exitCode, 0);
    EXPECT_FALSE(Frame(run, 9)["paused"].AsBool());
    EXPECT_TRUE(Frame(run, 40)["paused"].AsBool());
    EXPECT_TRUE(Frame(run, 40)["held_pause"].AsBool());
    EXPECT_EQ(Frame(run, 69)["player"]["x"].AsNumber(), 512);
    EXPECT_GT(Frame(run, 69)["pause_duration"].AsNumber(), 0.9);
    EXPECT_FALSE(Frame(run, 72)["paused"].AsBool());
    EXPECT_GT(Frame(run, 89)["player"]["x"].AsNumber(), 512);
}

TEST(PlayerScenario, TheInventoryOpensPausesAndUsesItemsWithTheRightButton) {
    // Bread walked up first, then the inventory: bread in cell 0 at
    // (192 + 32, 224 + 32) on a 1024 x 768 screen.
    GameRun run = RunGame("2 key 0x44 down\n60 key 0x44 up\n"
                          "62 key 0x49 down\n63 key 0x49 up\n"
                          "64 mouse 224 256\n"
                          "66 key 0x02 down\n67 key 0x02 up\n"
                          "70 key 0x1B down\n71 key 0x1B up\n",
                          80, "", {"--map", TestMap()});
    ASSERT_EQ(run.result.exitCode, 0);
    EXPECT_TRUE(Frame(run, 65)["inventory"]["open"].AsBool());
    EXPECT_TRUE(Frame(run, 65)["paused"].AsBool());
    EXPECT_EQ(Frame(run, 65)["inventory"]["items"].size(), 3u);
    EXPECT_EQ(Frame(run, 67)["inventory"]["items"].size(), 2u); // the bread was eaten
    EXPECT_EQ(Frame(run, 67)["player"]["health"].AsNumber(), 1060);
    EXPECT_FALSE(Frame(run, 71)["inventory"]["open"].AsBool()); // Esc closed it
    EXPECT_EQ(run.trace.size(), 80u);                           // and did not quit
}
