// Dialogues and books reached through map entities in the real game,
// headless, read back from the trace.
#include "tests/game/GameRun.h"

#include <gtest/gtest.h>

namespace {

// The statue right of the player's start, the lectern left of it.
std::string ReadingRoom() {
    return WriteMap("<map name='reading room'>"
                    "<entity x='620' y='384' ent_name='statue'/>"
                    "<entity x='400' y='384' ent_name='lectern'/>"
                    "</map>");
}

std::string Text(const JsonValue& frame) {
    return frame["dialogue"]["text"].AsString();
}

} // namespace

TEST(DialogueBookScenario, TheStatueSpeaksOnWhileTheLecternsBookIsReadAndClosed) {
    // The shipped lectern reads a line before its book; this one opens it
    // at once, so it opens while the statue still speaks.
    const std::string data = DataWith(
        {{"resources/entity.xml",
          "<entitydata>"
          "<entity name='statue' sprname='statue' parname='' pl_col='0' sp_col='0' en_col='0'>"
          "<triggers pl='dialogue_statue' sp='' en=''/></entity>"
          "<entity name='lectern' sprname='lectern' parname='' pl_col='0' sp_col='0' en_col='0'>"
          "<triggers pl='openbook_primer' sp='' en=''/></entity>"
          "</entitydata>"}});
    // Into the statue, then over to the lectern; turn a page and close it.
    GameRun run = RunGame("2 key 0x44 down\n40 key 0x44 up\n"
                          "100 key 0x41 down\n200 key 0x41 up\n"
                          "210 mouse 927 704\n"
                          "220 key 0x01 down\n221 key 0x01 up\n"
                          "240 key 0x1B down\n241 key 0x1B up\n",
                          2000, data, {"--map", ReadingRoom()});
    ASSERT_EQ(run.result.exitCode, 0) << run.result.output;
    ASSERT_EQ(run.trace.size(), 2000u); // Esc closed the book and did not quit
    EXPECT_FALSE(Frame(run, 10)["dialogue"]["active"].AsBool());
    const JsonValue& talking = Frame(run, 60);
    EXPECT_TRUE(talking["dialogue"]["active"].AsBool());
    EXPECT_EQ(talking["dialogue"]["main"].AsNumber(), 0);
    EXPECT_EQ(Text(talking).rfind("Welcome, wanderer.", 0), 0u);

    const JsonValue& reading = Frame(run, 230);
    EXPECT_TRUE(reading["book"]["open"].AsBool());
    EXPECT_EQ(reading["book"]["name"].AsString(), "primer");
    EXPECT_EQ(reading["book"]["page"].AsNumber(), 2);
    EXPECT_TRUE(reading["paused"].AsBool());
    EXPECT_EQ(Text(reading), Text(talking)); // the voice goes on over the book
    const JsonValue& closed = Frame(run, 241);
    EXPECT_FALSE(closed["book"]["open"].AsBool());
    EXPECT_EQ(closed["book"]["page"].AsNumber(), 0);
    EXPECT_FALSE(closed["paused"].AsBool());

    // All five lines, in order, then the last one's "exit".
    std::vector<int> lines;
    for (const JsonValue& frame : run.trace) {
        const int line = static_cast<int>(frame["dialogue"]["line"].AsNumber());
        if (!Text(frame).empty() && (lines.empty() || lines.back() != line)) {
            lines.push_back(line);
        }
    }
    EXPECT_EQ(lines, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_FALSE(Frame(run, 1999)["dialogue"]["active"].AsBool());
    EXPECT_EQ(Frame(run, 1999)["dialogue"]["main"].AsNumber(), -1);
}

TEST(DialogueBookScenario, ClickingAChoicePlaysItsBranchThenTheChoicesComeBack) {
    const std::string data =
        DataWith({{"resources/dialogues.xml",
                   "<dialogues><m_dialogue name='statue'>"
                   "<dialogue text='Ask.' sound='shrine_2' trg=''/>"
                   "<sub_dialogue text='Heal me'>"
                   "<dialogue text='Be whole.' sound='shrine_orbs_2' trg='powerup_health'/>"
                   "</sub_dialogue>"
                   "<sub_dialogue text='Farewell'>"
                   "<dialogue text='Go well.' sound='shrine_bless_2' trg='exit'/>"
                   "</sub_dialogue></m_dialogue></dialogues>"}});
    // The first choice sits at y 568, the second at 598 (768 - 200 + 30 k).
    GameRun run = RunGame("2 key 0x44 down\n40 key 0x44 up\n"
                          "240 mouse 512 578\n250 key 0x01 down\n251 key 0x01 up\n"
                          "440 mouse 512 608\n450 key 0x01 down\n451 key 0x01 up\n",
                          700, data, {"--map", ReadingRoom()});
    ASSERT_EQ(run.result.exitCode, 0) << run.result.output;
    EXPECT_EQ(Frame(run, 240)["dialogue"]["branch"].AsNumber(), -2);
    EXPECT_EQ(Frame(run, 250)["dialogue"]["branch"].AsNumber(), 0);
    EXPECT_EQ(Text(Frame(run, 300)), "Be whole.");
    EXPECT_EQ(Frame(run, 430)["dialogue"]["branch"].AsNumber(), -2); // offered again
    // The healing line's trigger ran when its voice ended (enemies may hurt
    // the player meanwhile, so the notice tells it, not the health).
    bool healed = false;
    for (int frame = 251; frame < 430; ++frame) {
        for (const JsonValue& alert : Frame(run, frame)["alerts"].AsArray()) {
            healed = healed || alert["text"].AsString() == "+20 Health";
        }
    }
    EXPECT_TRUE(healed);
    EXPECT_EQ(Frame(run, 450)["dialogue"]["branch"].AsNumber(), 1);
    EXPECT_EQ(Text(Frame(run, 500)), "Go well.");
    EXPECT_FALSE(Frame(run, 699)["dialogue"]["active"].AsBool());
}
