// A gamepad plays the real game headless: the script's pad events drive an
// SDL virtual controller, read back the way a real one is.
#include "tests/game/GameRun.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(GamepadScenario, TheStickWalksAndAimsTheButtonsChooseTheTriggerCastsAndUnpluggingHolds) {
    GameRun run = RunGame("0 pad add\n"
                          "10 pad axis leftx -1\n40 pad axis leftx 0\n"       // walk left
                          "42 pad button a down\n43 pad button x down\n"      // fire + earth
                          "44 pad axis rightx 0.2\n45 pad axis righty -0.9\n" // aim up
                          "50 pad axis righttrigger 1\n52 pad axis righttrigger 0\n"
                          "56 pad axis righty 0\n57 pad axis rightx 0\n" // at rest: aim stays
                          "60 pad button a up\n60 pad button x up\n"
                          "70 pad remove\n",
                          80);
    ASSERT_EQ(run.result.exitCode, 0) << run.result.output;
    EXPECT_NE(run.log.find("Gamepad: Scripted gamepad plays"), std::string::npos) << run.log;
    const JsonValue& walked = run.trace[40];
    EXPECT_LT(walked["player"]["x"].AsNumber(), run.trace[9]["player"]["x"].AsNumber() - 50);
    EXPECT_EQ(walked["player"]["y"].AsNumber(), run.trace[9]["player"]["y"].AsNumber());

    const JsonValue& aiming = run.trace[49];
    EXPECT_TRUE(aiming["select"]["fire"].AsBool());
    EXPECT_TRUE(aiming["select"]["earth"].AsBool());
    EXPECT_FALSE(aiming["select"]["ice"].AsBool());
    // 200 px from the player on the screen, the way the stick leans.
    const double playerX = aiming["player"]["x"].AsNumber() - aiming["camera"][0].AsNumber();
    const double playerY = aiming["player"]["y"].AsNumber() - aiming["camera"][1].AsNumber();
    const double dx = aiming["mouse"][0].AsNumber() - playerX;
    const double dy = aiming["mouse"][1].AsNumber() - playerY;
    EXPECT_NEAR(std::hypot(dx, dy), 200, 0.5);
    EXPECT_NEAR(dx / dy, 0.2 / -0.9, 1e-3);

    EXPECT_EQ(run.trace[49]["spells"].size(), 0u);
    EXPECT_EQ(run.trace[50]["spells"].size(), 1u);
    EXPECT_LT(run.trace[50]["orbs"][0].AsNumber(), run.trace[49]["orbs"][0].AsNumber());
    EXPECT_EQ(run.trace[65]["mouse"][0].AsNumber(), aiming["mouse"][0].AsNumber());

    EXPECT_FALSE(run.trace[69]["menu"]["open"].AsBool());
    EXPECT_TRUE(run.trace[70]["menu"]["open"].AsBool());
    EXPECT_TRUE(run.trace[79]["paused"].AsBool());
}
