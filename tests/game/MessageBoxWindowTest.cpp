// The game's own message box in a real window: content that cannot be read
// is said in a box drawn over the game, which holds the game until its OK
// is clicked.
#include "tests/game/GameRun.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

TEST(GameWindow, AnErrorBoxIsDrawnOverTheGameAndHoldsItUntilOk) {
    if (std::string why = testing_support::WindowTestSkipReason(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    const std::string data = DataWith({{"resources/items.xml", "garbage<<<"}});
    const std::string dir = testing_support::MakeTempDir("game-box");
    // The box's one button sits below the middle of the screen.
    testing_support::WriteFile(dir + "/input.txt",
                               "0 mouse 512 410\n20 key 0x01 down\n21 key 0x01 up\n");
    const ProgramResult result = RunProgram(
        DUSKMAW_GAME_BINARY, {"--data", data, "--input", dir + "/input.txt", "--log",
                              dir + "/log.txt", "--frames", "30", "--trace", dir + "/t.jsonl"});
    ASSERT_EQ(result.exitCode, 0) << result.output;
    const std::vector<JsonValue> trace = ReadJsonLines(dir + "/t.jsonl");
    ASSERT_EQ(trace.size(), 30u);
    EXPECT_TRUE(trace[10]["paused"].AsBool());
    EXPECT_FALSE(trace[25]["paused"].AsBool());
    EXPECT_NE(testing_support::ReadFile(dir + "/log.txt").find("Message box (error) \"Error\""),
              std::string::npos);
}
