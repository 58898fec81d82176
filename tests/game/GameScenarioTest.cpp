// The game program run headless with scripted input, checked through its
// trace and its log.
#include "tests/support/Json.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using testing_support::MakeTempDir;
using testing_support::ReadFile;
using testing_support::SourceDir;
using testing_support::WriteFile;

namespace {

struct GameRun {
    ProgramResult result;
    std::vector<JsonValue> trace;
    std::string log;
};

// Runs the game for the given frames with the script; dataDir defaults to
// the shipped content. As a replay ("--replay") the script's dt lines set
// each frame's length.
GameRun RunGame(const std::string& script, int frames, std::string dataDir = "",
                const std::string& scriptOption = "--input") {
    std::string dir = MakeTempDir("game");
    WriteFile(dir + "/input.txt", script);
    if (dataDir.empty()) {
        dataDir = SourceDir() + "/data";
    }
    GameRun run;
    run.result =
        RunProgram(DUSKMAW_GAME_BINARY, {"--headless", "--data", dataDir, "--log", dir + "/log.txt",
                                         "--frames", std::to_string(frames), scriptOption,
                                         dir + "/input.txt", "--trace", dir + "/trace.jsonl"});
    run.trace = ReadJsonLines(dir + "/trace.jsonl");
    run.log = ReadFile(dir + "/log.txt");
    return run;
}

// A content folder like the shipped one but with its own settings.
std::string DataWithSettings(const std::string& settings) {
    namespace fs = std::filesystem;
    std::string dir = MakeTempDir("data");
    for (const auto& entry : fs::directory_iterator(SourceDir() + "/data")) {
        if (entry.path().filename() != "settings.ini" && entry.path().filename() != "log.txt") {
            fs::create_directory_symlink(entry.path(), fs::path(dir) / entry.path().filename());
        }
    }
    WriteFile(dir + "/settings.ini", settings);
    return dir;
}

} // namespace

TEST(GameScenario, EscClosesTheInventoryThenOpensTheMenuWhoseQuitLogsStatisticsInOrder) {
    // Up from Resume comes round to Quit.
    GameRun run = RunGame("2 key 0x49 down\n3 key 0x49 up\n"
                          "5 key 0x1B down\n6 key 0x1B up\n"
                          "70 key 0x1B down\n71 key 0x1B up\n"
                          "80 key 0x26 down\n81 key 0x26 up\n"
                          "90 key 0x0D down\n",
                          200);
    EXPECT_EQ(run.result.exitCode, 0) << run.result.output;
    ASSERT_EQ(run.trace.size(), 90u); // frame 90 quit before its record
    EXPECT_TRUE(run.trace[2]["inventory"]["open"].AsBool());
    EXPECT_TRUE(run.trace[3]["paused"].AsBool());
    EXPECT_FALSE(run.trace[5]["inventory"]["open"].AsBool());
    EXPECT_FALSE(run.trace[6]["paused"].AsBool());
    // The menu holds the game as a held pause does, its time counted.
    EXPECT_TRUE(run.trace[75]["menu"]["open"].AsBool());
    EXPECT_TRUE(run.trace[75]["paused"].AsBool());
    EXPECT_NEAR(run.trace[85]["pause_duration"].AsNumber() -
                    run.trace[75]["pause_duration"].AsNumber(),
                10 / 60.0, 1e-3);
    EXPECT_EQ(run.trace[85]["menu"]["selected"].AsNumber(), 3);
    EXPECT_EQ(run.log.find("Best FPS"), run.log.rfind("Best FPS"));
    size_t best = run.log.find("Best FPS:60\n");
    size_t worst = run.log.find("Worst FPS:60\n");
    size_t average = run.log.find("Avarage FPS:60\n");
    size_t score = run.log.find("Score:0.000000\n");
    ASSERT_NE(best, std::string::npos) << run.log;
    EXPECT_LT(best, worst);
    EXPECT_LT(worst, average);
    EXPECT_LT(average, score);
    EXPECT_NE(score, std::string::npos);
}

TEST(GameScenario, DifficultyKeysAndRestartWhileAlive) {
    GameRun run = RunGame("1 key 0x42 down\n2 key 0x42 up\n"    // B: 1.5 -> 1.0
                          "3 key 0x42 down\n4 key 0x42 up\n"    // B: stays 1.0
                          "5 key 0x56 down\n6 key 0x56 up\n"    // V
                          "7 key 0x56 down\n8 key 0x56 up\n"    // V
                          "9 key 0x56 down\n10 key 0x56 up\n"   // V: 2.5
                          "11 key 0x4C down\n12 key 0x4C up\n", // L while alive
                          14);
    ASSERT_EQ(run.trace.size(), 14u);
    EXPECT_DOUBLE_EQ(run.trace[0]["difficulty"].AsNumber(), 1.5);
    EXPECT_DOUBLE_EQ(run.trace[1]["difficulty"].AsNumber(), 1.0);
    EXPECT_DOUBLE_EQ(run.trace[3]["difficulty"].AsNumber(), 1.0);
    EXPECT_DOUBLE_EQ(run.trace[9]["difficulty"].AsNumber(), 2.5);
    EXPECT_DOUBLE_EQ(run.trace[13]["difficulty"].AsNumber(), 2.5);
}

TEST(GameScenario, ElementKeysCombineWithinATenthOfASecond) {
    // 1 held from frame 1; 3 pressed 3 frames (0.05 s) later combines. Then
    // after releasing both, 2 pressed much later selects ice alone.
    GameRun run = RunGame("1 key 0x31 down\n4 key 0x33 down\n8 key 0x31 up\n8 key 0x33 up\n"
                          "40 key 0x32 down\n41 key 0x32 up\n"
                          "50 key 0x32 down\n50 key 0x35 down\n",
                          52);
    ASSERT_EQ(run.trace.size(), 52u);
    const JsonValue& both = run.trace[5]["select"];
    EXPECT_TRUE(both["fire"].AsBool() && both["earth"].AsBool());
    EXPECT_FALSE(both["ice"].AsBool());
    const JsonValue& ice = run.trace[40]["select"];
    EXPECT_TRUE(ice["ice"].AsBool());
    EXPECT_FALSE(ice["fire"].AsBool() || ice["earth"].AsBool());
    EXPECT_EQ(run.trace[40]["flash"].AsNumber(), 255);
    EXPECT_LT(run.trace[39]["flash"].AsNumber(), 255);
    // 5 held with 2 clears everything in that frame.
    EXPECT_FALSE(run.trace[50]["select"]["ice"].AsBool());
}

TEST(GameScenario, PauseDurationGrowsWhileTheInventoryIsOpen) {
    GameRun run =
        RunGame("10 key 0x49 down\n11 key 0x49 up\n40 key 0x49 down\n41 key 0x49 up\n", 45);
    ASSERT_EQ(run.trace.size(), 45u);
    EXPECT_DOUBLE_EQ(run.trace[9]["pause_duration"].AsNumber(), 0);
    double early = run.trace[12]["pause_duration"].AsNumber();
    double late = run.trace[39]["pause_duration"].AsNumber();
    EXPECT_GT(early, 0);
    EXPECT_NEAR(late - early, 27.0 / 60, 1e-4);
    EXPECT_DOUBLE_EQ(run.trace[42]["pause_duration"].AsNumber(), 0);
}

TEST(GameScenario, MTogglesEffectsWithItsAlert) {
    GameRun run = RunGame("3 key 0x4D down\n4 key 0x4D up\n6 key 0x4D down\n", 8);
    ASSERT_EQ(run.trace.size(), 8u);
    EXPECT_TRUE(run.trace[3]["effects_on"].AsBool());
    const JsonValue& alert = run.trace[3]["alerts"][0];
    EXPECT_EQ(alert["text"].AsString(), "Effects toggled on");
    EXPECT_DOUBLE_EQ(alert["x"].AsNumber(), 1014);
    EXPECT_DOUBLE_EQ(alert["y"].AsNumber(), 738);
    EXPECT_EQ(alert["align"].AsNumber(), 1);
    EXPECT_FALSE(run.trace[6]["effects_on"].AsBool());
    EXPECT_EQ(run.trace[6]["alerts"][1]["text"].AsString(), "Effects toggled off");
}

TEST(GameScenario, SettingsChangeTheScreenAndMissingOnesGiveDefaults) {
    const std::string title = ", title \"Welcome to the - Duskmaw!\"";
    std::string data = DataWithSettings("[CONFIGS]\nw=800\nh=600\ndefault_difficulty=3\n"
                                        "testmode=2\nFullscreen=3\nfps=30\n");
    GameRun run = RunGame("1 key 0x4D down\n", 3, data);
    ASSERT_EQ(run.trace.size(), 3u);
    EXPECT_DOUBLE_EQ(run.trace[0]["difficulty"].AsNumber(), 3);
    EXPECT_TRUE(run.trace[0]["test_mode"].AsBool()); // any value but 0
    EXPECT_DOUBLE_EQ(run.trace[0]["mouse"][0].AsNumber(), 400);
    EXPECT_DOUBLE_EQ(run.trace[1]["alerts"][0]["x"].AsNumber(), 790);
    EXPECT_NE(run.log.find("Screen: 800x600, full screen, headless, frame cap 30" + title),
              std::string::npos)
        << run.log;

    std::string none = DataWithSettings("");
    std::filesystem::remove(none + "/settings.ini");
    GameRun defaults = RunGame("", 2, none);
    ASSERT_EQ(defaults.trace.size(), 2u);
    EXPECT_DOUBLE_EQ(defaults.trace[0]["difficulty"].AsNumber(), 1.5);
    EXPECT_FALSE(defaults.trace[0]["test_mode"].AsBool());
    // With no frame cap a window waits for the screen ("vsync" is on by default).
    EXPECT_NE(defaults.log.find("Screen: 1024x768, windowed, headless, frame cap -1" + title),
              std::string::npos)
        << defaults.log;
}

TEST(GameScenario, TheAverageFrameRateIsTheRunningHalfOfEachNewRate) {
    // Three seconds at 60 frames a second, then two at 20: each frame halves
    // the way to the new rate, so the average ends at 20, far below the
    // mean of the rates seen.
    std::string script;
    for (int frame = 0; frame <= 300; ++frame) {
        script +=
            std::to_string(frame) + (frame < 180 ? " dt 0.016666666666666666\n" : " dt 0.05\n");
    }
    script += "220 key 0x1B down\n221 key 0x1B up\n222 key 0x26 down\n223 key 0x26 up\n"
              "224 key 0x0D down\n"; // the menu's Quit
    GameRun run = RunGame(script, 1000, "", "--replay");
    ASSERT_EQ(run.trace.size(), 224u) << run.result.output;
    double sum = 0;
    int counted = 0;
    for (const JsonValue& record : run.trace) {
        if (int fps = static_cast<int>(record["fps"]["current"].AsNumber()); fps > 0) {
            sum += fps;
            ++counted;
        }
    }
    ASSERT_GT(counted, 150);
    EXPECT_GT(sum / counted, 40);
    EXPECT_NE(run.log.find("Best FPS:60\n"), std::string::npos) << run.log;
    EXPECT_NE(run.log.find("Worst FPS:20\n"), std::string::npos) << run.log;
    EXPECT_NE(run.log.find("Avarage FPS:20\n"), std::string::npos) << run.log;
    // While the rate falls the average trails it by half the gap each frame.
    const JsonValue& falling = run.trace[190]["fps"];
    const JsonValue& before = run.trace[189]["fps"];
    EXPECT_EQ(falling["average"].AsNumber(),
              std::floor((before["average"].AsNumber() + falling["current"].AsNumber()) / 2));
    EXPECT_GT(falling["average"].AsNumber(), falling["current"].AsNumber());
}

TEST(GameScenario, BrokenInputScriptStopsWithItsLine) {
    GameRun run = RunGame("1 key 0x41 down\n2 hop\n", 10);
    EXPECT_TRUE(run.trace.empty());
    EXPECT_NE(run.result.output.find("line 2"), std::string::npos) << run.result.output;
}

TEST(GameScenario, AnEngineThatCannotStartEndsTheProgramQuietly) {
    std::string data = DataWithSettings("[CONFIGS]\nw=0\n");
    GameRun run = RunGame("", 5, data);
    EXPECT_EQ(run.result.exitCode, 0) << run.result.output;
    EXPECT_TRUE(run.trace.empty());
    EXPECT_NE(run.log.find("cannot be used"), std::string::npos) << run.log;
}

TEST(GameScenario, TheIntroPlaysForItsLengthThenTheFightMusicFollows) {
    GameRun run = RunGame("", 900);
    ASSERT_EQ(run.trace.size(), 900u);
    EXPECT_EQ(run.trace[0]["music"]["state"].AsString(), "fightint");
    EXPECT_TRUE(run.trace[0]["music"]["playing"].AsBool());
    EXPECT_FALSE(run.trace[600]["music"]["intro_done"].AsBool());
    const JsonValue& later = run.trace[899]["music"];
    EXPECT_TRUE(later["intro_done"].AsBool());
    EXPECT_TRUE(later["playing"].AsBool());
    EXPECT_NE(later["state"].AsString(), "fightint");
}
