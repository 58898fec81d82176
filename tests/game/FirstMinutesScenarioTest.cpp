// What used to break a new player's first minutes, in the real game run
// headless: music that cannot play, clicks through a book, a held pause,
// voiceless lines, and a player caught inside a blocking prop.
#include "tests/game/GameRun.h"

#include <gtest/gtest.h>

namespace {

// The statue right of the player's start, reached by walking right.
std::string StatueRoom() {
    return WriteMap("<map name='statue room'><entity x='620' y='384' ent_name='statue'/></map>");
}
const char* const kWalkToStatue = "2 key 0x44 down\n40 key 0x44 up\n";

std::pair<std::string, std::string> Dialogue(const std::string& body) {
    return {"resources/dialogues.xml",
            "<dialogues><m_dialogue name='statue'>" + body + "</m_dialogue></dialogues>"};
}

std::string Text(const JsonValue& frame) {
    return frame["dialogue"]["text"].AsString();
}

int FramesShowing(const GameRun& run, const std::string& text) {
    int frames = 0;
    for (const JsonValue& frame : run.trace) {
        frames += Text(frame) == text;
    }
    return frames;
}

} // namespace

TEST(FirstMinutesScenario, MusicThatCannotPlayNeverSlowsTheGameAndIsToldOnce) {
    const std::string data = DataWith({{"sounds/int.ogg", "not a sound"},
                                       {"sounds/loop1x.ogg", "not a sound"},
                                       {"sounds/loopsolo.ogg", "not a sound"},
                                       {"sounds/stop.ogg", "not a sound"}});
    GameRun run = RunGame("", 600, data);
    ASSERT_EQ(run.result.exitCode, 0) << run.result.output;
    // (A hit slows the game too: only frames before the first one count.)
    int slowFrames = 0;
    int unhurtFrames = 0;
    for (const JsonValue& frame : run.trace) {
        if (frame["player"]["health"].AsNumber() < 1000) {
            break;
        }
        ++unhurtFrames;
        slowFrames += frame["slow"].AsNumber() > 1.0;
    }
    EXPECT_GT(unhurtFrames, 200);
    EXPECT_EQ(slowFrames, 0);
    std::size_t told = 0;
    for (std::size_t at = run.log.find("stop.ogg"); at != std::string::npos;
         at = run.log.find("stop.ogg", at + 1)) {
        ++told;
    }
    EXPECT_EQ(told, 1u) << run.log;
}

TEST(FirstMinutesScenario, AClickOnAnOpenBookNeverPicksTheChoiceUnderIt) {
    // The line opens the book as it ends; its choices are offered beneath.
    const std::string data = DataWith(
        {Dialogue("<dialogue text='Read.' sound='shrine_2' trg='openbook_primer'/>"
                  "<sub_dialogue text='Step away'>"
                  "<dialogue text='Go well.' sound='shrine_bless_2' trg='exit'/></sub_dialogue>")});
    // The first choice sits at y 568 (768 - 200), under the open book.
    GameRun run = RunGame(std::string(kWalkToStatue) +
                              "230 mouse 512 578\n240 key 0x01 down\n241 key 0x01 up\n"
                              "250 key 0x1B down\n251 key 0x1B up\n"
                              "260 key 0x01 down\n261 key 0x01 up\n",
                          300, data, {"--map", StatueRoom()});
    ASSERT_EQ(run.result.exitCode, 0) << run.result.output;
    ASSERT_TRUE(Frame(run, 235)["book"]["open"].AsBool());
    EXPECT_EQ(Frame(run, 235)["dialogue"]["branch"].AsNumber(), -2);
    EXPECT_EQ(Frame(run, 245)["dialogue"]["branch"].AsNumber(), -2);
    // With the book closed the same click chooses.
    EXPECT_FALSE(Frame(run, 255)["book"]["open"].AsBool());
    EXPECT_EQ(Frame(run, 265)["dialogue"]["branch"].AsNumber(), 0);
}

TEST(FirstMinutesScenario, AHeldPauseHoldsTheLineItsTriggerAndTheMusicUntilLetGo) {
    const std::string data =
        DataWith({Dialogue("<dialogue text='Welcome.' sound='statue_1' trg='powerup_fire'/>"
                           "<dialogue text='Go.' sound='statue_5' trg='exit'/>")});
    GameRun run = RunGame(std::string(kWalkToStatue) + "60 key 0x50 down\n61 key 0x50 up\n"
                                                       "1260 key 0x50 down\n1261 key 0x50 up\n",
                          2400, data, {"--map", StatueRoom()});
    ASSERT_EQ(run.result.exitCode, 0) << run.result.output;
    const JsonValue& held = Frame(run, 61);
    ASSERT_EQ(Text(held), "Welcome.");
    ASSERT_TRUE(held["held_pause"].AsBool());
    // Twenty seconds outlast the voice and the intro, yet nothing moves on.
    for (int frame = 61; frame < 1260; ++frame) {
        const JsonValue& record = Frame(run, frame);
        ASSERT_EQ(Text(record), "Welcome.") << frame;
        ASSERT_EQ(record["orbs"][0].AsNumber(), held["orbs"][0].AsNumber()) << frame;
        ASSERT_EQ(record["music"]["state"].AsString(), held["music"]["state"].AsString());
        ASSERT_EQ(record["music"]["intro_done"].AsBool(), held["music"]["intro_done"].AsBool());
    }
    // Let go, the line is spoken to its end, then its trigger and the next.
    EXPECT_EQ(Text(Frame(run, 1262)), "Welcome.");
    bool nextLine = false;
    for (int frame = 1262; frame < 2400; ++frame) {
        nextLine = nextLine || Text(Frame(run, frame)) == "Go.";
    }
    EXPECT_TRUE(nextLine);
    EXPECT_GT(Frame(run, 2399)["orbs"][0].AsNumber(), held["orbs"][0].AsNumber());
}

TEST(FirstMinutesScenario, ALineWithoutItsVoiceFileStaysForItsReadingTime) {
    const std::string longLine(150, 'a');
    const std::string data =
        DataWith({Dialogue("<dialogue text='Read me.' sound='statue_1' trg=''/>"
                           "<dialogue text='" +
                           longLine + "' sound='statue_2' trg='exit'/>"),
                  {"resources/d_sound.xml", "<dialogue_sounds>"
                                            "<sound name='statue_1' path='sounds/voice/gone.ogg'/>"
                                            "</dialogue_sounds>"}});
    GameRun run = RunGame(kWalkToStatue, 600, data, {"--map", StatueRoom()});
    ASSERT_EQ(run.result.exitCode, 0) << run.result.output;
    // 0.4 s and 0.06 s a character; six seconds at most.
    EXPECT_NEAR(FramesShowing(run, "Read me."), 60 * (0.4 + 0.06 * 8), 1.5);
    EXPECT_NEAR(FramesShowing(run, longLine), 60 * 6, 1.5);
    EXPECT_FALSE(run.trace.back()["dialogue"]["active"].AsBool());
}

TEST(FirstMinutesScenario, APlayerInsideABlockingPropCanWalkOutButNotDeeper) {
    const std::string data =
        DataWith({{"resources/entity.xml",
                   "<entitydata><entity name='rock' sprname='rock_large' parname='' pl_col='1' "
                   "sp_col='0' en_col='0'><triggers pl='' sp='' en=''/></entity></entitydata>"}});
    // The rock sits a little right of the start: left is out, right is in.
    const std::string map =
        WriteMap("<map name='wedge'><entity x='545' y='384' ent_name='rock'/></map>");
    GameRun run = RunGame("2 key 0x44 down\n30 key 0x44 up\n"
                          "40 key 0x41 down\n160 key 0x41 up\n",
                          200, data, {"--map", map});
    ASSERT_EQ(run.result.exitCode, 0) << run.result.output;
    EXPECT_EQ(Frame(run, 35)["player"]["x"].AsNumber(), 512);
    EXPECT_LT(Frame(run, 199)["player"]["x"].AsNumber(), 512 - 150);
}

TEST(FirstMinutesScenario, APlayerWhoDoesNothingHearsTheWardenFromTheFirstFrame) {
    // The shipped start lies in the Warden's reach: arriving counts as a step.
    GameRun run = RunGame("", 3, "");
    ASSERT_EQ(run.trace.size(), 3u);
    EXPECT_TRUE(run.trace[0]["dialogue"]["active"].AsBool());
    EXPECT_EQ(Text(run.trace[0]).rfind("Welcome, wanderer.", 0), 0u) << Text(run.trace[0]);
}
