// The inspector and the designer's aids run headless: what a selection is
// and does in words, a typed position applied and undone, the map's name,
// Pick, the hover label and the status line's positions.
#include "editor/TriggerWords.h"
#include "tests/editor/EditorRun.h"

#include <gtest/gtest.h>

namespace {

// One character a frame from `frame` on (a frame keeps one typed character).
std::string Typed(int frame, const std::string& text) {
    std::string s;
    for (char c : text) {
        s += Line(frame++, c == ' ' ? "char 0x20" : std::string("char ") + c);
    }
    return s;
}

std::string Click(int frame, int x, int y) {
    return Line(frame, "mouse " + std::to_string(x) + " " + std::to_string(y)) +
           Line(frame + 1, "key 0x01 down") + Line(frame + 2, "key 0x01 up");
}

std::vector<std::string> Lines(const JsonValue& frame) {
    std::vector<std::string> lines;
    for (const JsonValue& line : frame["inspector"]["lines"].AsArray()) {
        lines.push_back(line.AsString());
    }
    return lines;
}

const std::string kLibrary =
    MapXml("Library", "<entity x=\"300\" y=\"300\" ent_name=\"lectern\"/>\n"
                      "<entity x=\"600\" y=\"300\" ent_name=\"npc_wanderer\"/>\n"
                      "<entity x=\"800\" y=\"500\" ent_name=\"spring\"/>\n"
                      "<item x=\"300\" y=\"300\" it_name=\"Scroll\"/>\n");

TEST(EditorInspector, SaysWhatTheSelectionIsAndDoesInWords) {
    // The wanderer, P, the spring, a band round the lectern and its book,
    // nothing, then the pointer resting on the wanderer.
    const std::string script = Click(0, 600, 300) + Line(4, "key 0x50 down") +
                               Line(5, "key 0x50 up") + Click(6, 800, 500) +
                               Line(10, "mouse 250 250") + Line(11, "key 0x01 down") +
                               Line(12, "mouse 350 350") + Line(14, "key 0x01 up") +
                               Click(15, 1000, 700) + Line(20, "mouse 600 300");
    EditorRun run = RunEditor(script, 56, kLibrary);
    ASSERT_EQ(run.trace.size(), 56u) << run.result.output;
    EXPECT_EQ(Lines(run.trace[3]),
              (std::vector<std::string>{"Entity: npc_wanderer", "Position: 600, 300",
                                        "Blocks: nothing", "Touch: starts the dialogue wanderer"}));
    EXPECT_NE(run.trace[3]["status"].AsString().find("selection 600, 300"), std::string::npos);
    // P: the list picks the selected placement's definition.
    EXPECT_EQ(run.trace[4]["selected_name"].AsString(), "npc_wanderer");
    EXPECT_EQ(Lines(run.trace[9])[3], "Touch: heals 20");
    // The lectern and the book lying on it: a group of two, each in words.
    const std::vector<std::string> group = Lines(run.trace[15]);
    ASSERT_EQ(group.size(), 4u);
    EXPECT_EQ(group[0], "Group: 2 placements");
    EXPECT_EQ(group[2], "lectern: starts the dialogue lectern_primer");
    EXPECT_EQ(group[3], "Scroll: opens the book primer");
    // Nothing selected: the map's name.
    EXPECT_EQ(Lines(run.trace[19]), (std::vector<std::string>{"Map name: Library"}));
    EXPECT_NE(run.trace[19]["status"].AsString().find("cursor 1000, 700"), std::string::npos);
    // The pointer rests on the wanderer: after half a second, a label.
    EXPECT_EQ(run.trace[45]["hover"].AsString(), "");
    EXPECT_EQ(run.trace[55]["hover"].AsString(), "npc_wanderer: starts the dialogue wanderer");
}

TEST(EditorInspector, ATypedPositionIsOneUndoStepAndABadOneIsRefused) {
    std::string script = Click(0, 600, 300) + Line(4, "key 0x0D down") + Line(5, "key 0x0D up");
    for (int f = 6; f < 16; ++f) {
        script += Line(f, "key 0x08 down") + Line(f, "key 0x08 up");
    }
    script += Typed(16, "64x") + Line(19, "key 0x0D down") + Line(20, "key 0x0D up") +
              Line(21, "key 0x08 down") + Line(21, "key 0x08 up") + Typed(22, " 96.5") +
              Line(27, "key 0x0D down") + Line(28, "key 0x0D up") + Ctrl(30, 'Z') +
              // The map's name, with nothing selected; Esc while typing only cancels.
              Click(35, 1000, 700) + Line(39, "key 0x0D down") + Line(40, "key 0x0D up") +
              Typed(41, " II") + Line(44, "key 0x0D down") + Line(45, "key 0x0D up") +
              Line(46, "key 0x0D down") + Line(47, "key 0x0D up") + Typed(48, "x") +
              Line(50, "key 0x1B down") + Line(51, "key 0x1B up");
    EditorRun run = RunEditor(script, 54, kLibrary);
    ASSERT_EQ(run.trace.size(), 54u) << run.result.output;
    EXPECT_EQ(run.trace[15]["inspector"]["editing"].AsString(), "position");
    EXPECT_EQ(run.trace[15]["inspector"]["text"].AsString(), "");
    // "64x" does not read: the field stays open with a note, nothing moves.
    EXPECT_EQ(run.trace[20]["inspector"]["editing"].AsString(), "position");
    EXPECT_EQ(Lines(run.trace[20]).back(), "Type X, Y: two numbers");
    EXPECT_EQ(run.trace[20]["undo_depth"].AsNumber(), 0);
    const JsonValue& moved = run.trace[29];
    EXPECT_EQ(moved["inspector"]["editing"].AsString(), "");
    EXPECT_EQ(Lines(moved)[1], "Position: 64, 96.50");
    EXPECT_EQ(moved["undo_depth"].AsNumber(), 1);
    EXPECT_TRUE(moved["modified"].AsBool());
    const auto wanderer = [](const JsonValue& frame) {
        for (const JsonValue& p : Placements(frame, "entity")) {
            if (p["name"].AsString() == "npc_wanderer") {
                return p;
            }
        }
        return JsonValue();
    };
    EXPECT_EQ(wanderer(run.trace[34])["x"].AsNumber(), 600) << "undone";
    EXPECT_EQ(wanderer(run.trace[34])["y"].AsNumber(), 300);
    EXPECT_EQ(run.trace[45]["map"].AsString(), "Library II");
    EXPECT_EQ(run.trace[45]["undo_depth"].AsNumber(), 1);
    EXPECT_EQ(run.trace[53]["map"].AsString(), "Library II");
    EXPECT_EQ(run.trace[53]["inspector"]["editing"].AsString(), "");
    EXPECT_EQ(run.result.exitCode, 0);
}

TEST(TriggerWords, EveryActionTheGameRunsInWords) {
    EXPECT_EQ(TriggerWords(""), "nothing");
    EXPECT_EQ(TriggerWords("openbook_primer"), "opens the book primer");
    EXPECT_EQ(TriggerWords("dialogue_lectern_primer"), "starts the dialogue lectern_primer");
    EXPECT_EQ(TriggerWords("addhealth_150"), "heals 150");
    EXPECT_EQ(TriggerWords("powerup_health"), "heals 20");
    EXPECT_EQ(TriggerWords("powerup_ice"), "gives 5 ice orbs");
    EXPECT_EQ(TriggerWords("powerup_all"), "gives 5 orbs of every element");
    EXPECT_EQ(TriggerWords("addgroup_30"), "calls an enemy group of 30");
    EXPECT_EQ(TriggerWords("aggdmg_150"), "hurts 150");
    EXPECT_EQ(TriggerWords("teleport_x"), "does nothing (unknown action \"teleport_x\")");
}

} // namespace
