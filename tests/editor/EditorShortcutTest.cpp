// The editor's keyboard shortcuts run headless: undo and redo of each kind
// of step, saving to the map's own file, opening, and the window title.
#include "tests/editor/EditorRun.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

std::vector<double> Xs(const JsonValue& frame) {
    std::vector<double> xs;
    for (const JsonValue& p : Placements(frame, "entity")) {
        xs.push_back(p["x"].AsNumber());
    }
    return xs;
}

TEST(EditorShortcuts, ADeleteAndAWholeCtrlDragAreOneStepEachBothWays) {
    const std::string script =
        Line(0, "mouse 300 300") + Line(1, "key 0x01 down") + Line(2, "key 0x01 up") +
        Line(4, "key 0x2E down") + Line(6, "key 0x2E up") + Ctrl(8, 'Z') +
        // The undone crate is selected again: drag it in three moves.
        Line(14, "key 0x11 down") + Line(15, "key 0x01 down") + Line(16, "mouse 310 300") +
        Line(17, "mouse 320 300") + Line(18, "mouse 330 310") + Line(20, "key 0x01 up") +
        Line(21, "key 0x11 up") + Ctrl(23, 'Z') + Ctrl(28, 'Z', true) + Ctrl(33, 'Z') +
        Ctrl(38, 'Y');
    EditorRun run = RunEditor(script, 44, ThreeCratesMap());
    ASSERT_EQ(run.trace.size(), 44u) << run.result.output;
    EXPECT_EQ(run.trace[3]["undo_depth"].AsNumber(), 0);
    EXPECT_FALSE(run.trace[3]["modified"].AsBool());
    // Held for two frames, the delete is still one step.
    EXPECT_EQ(Xs(run.trace[7]), (std::vector<double>{400, 700}));
    EXPECT_EQ(run.trace[7]["undo_depth"].AsNumber(), 1);
    EXPECT_TRUE(run.trace[7]["modified"].AsBool());

    EXPECT_EQ(Xs(run.trace[12]), (std::vector<double>{300, 400, 700}));
    EXPECT_EQ(run.trace[12]["undo_depth"].AsNumber(), 0);
    EXPECT_EQ(run.trace[12]["redo_depth"].AsNumber(), 1);
    EXPECT_FALSE(run.trace[12]["modified"].AsBool());

    EXPECT_EQ(Xs(run.trace[22]), (std::vector<double>{330, 400, 700}));
    EXPECT_EQ(run.trace[22]["undo_depth"].AsNumber(), 1) << "the drag is one step";
    EXPECT_EQ(run.trace[22]["redo_depth"].AsNumber(), 0) << "a new change forgets the redo";

    EXPECT_EQ(Xs(run.trace[27]), (std::vector<double>{300, 400, 700}));
    EXPECT_EQ(Xs(run.trace[32]), (std::vector<double>{330, 400, 700})) << "Ctrl+Shift+Z redoes";
    EXPECT_EQ(Xs(run.trace[37]), (std::vector<double>{300, 400, 700}));
    EXPECT_EQ(Xs(run.trace[43]), (std::vector<double>{330, 400, 700})) << "Ctrl+Y redoes";
    EXPECT_EQ(Placements(run.trace[43], "entity")[0]["y"].AsNumber(), 310);
}

TEST(EditorShortcuts, CtrlSSavesToTheMapsOwnFileAndTheTitleLosesItsStar) {
    const std::string script = Line(0, "mouse 500 500") + Line(1, "key 0x02 down") +
                               Line(2, "key 0x02 up") + Ctrl(4, 'S') + Ctrl(9, 'Z');
    EditorRun run = RunEditor(script, 14, ThreeCratesMap());
    ASSERT_EQ(run.trace.size(), 14u) << run.result.output;
    const std::string file = run.dir + "/start.xml";
    EXPECT_EQ(run.trace[0]["title"].AsString(), "start.xml - Duskmaw Map Editor");
    EXPECT_EQ(run.trace[0]["file"].AsString(), file);
    EXPECT_EQ(run.trace[3]["title"].AsString(), "start.xml* - Duskmaw Map Editor");
    EXPECT_EQ(run.trace[3]["undo_depth"].AsNumber(), 1);
    EXPECT_EQ(run.trace[8]["title"].AsString(), "start.xml - Duskmaw Map Editor");
    EXPECT_FALSE(run.trace[8]["modified"].AsBool());
    EXPECT_NE(run.log.find("Map saved: " + file), std::string::npos) << run.log;
    EXPECT_EQ(run.log.find("File dialog"), std::string::npos) << "no dialog for its own file";
    const std::string saved = ReadFile(file);
    EXPECT_NE(saved.find("x=\"500\" y=\"500\""), std::string::npos) << saved;
    // Undoing past the save is a change again.
    EXPECT_TRUE(run.trace[13]["modified"].AsBool());
    EXPECT_EQ(run.trace[13]["title"].AsString(), "start.xml* - Duskmaw Map Editor");
    // The camera stayed: Ctrl + S does not scroll.
    EXPECT_EQ(run.trace[8]["camera"][1].AsNumber(), 0);
}

TEST(EditorShortcuts, TheFirstSaveOfANewMapAsksAndCtrlShiftSAlwaysAsks) {
    // The start map does not parse: the editor starts with a new, untitled map.
    const std::string script = Line(0, "mouse 500 500") + Line(1, "key 0x02 down") +
                               Line(2, "key 0x02 up") + Ctrl(4, 'S') + Line(9, "dialog $DIR/new") +
                               Ctrl(9, 'S') + Ctrl(14, 'S') + Line(19, "dialog $DIR/copy.xml") +
                               Ctrl(19, 'S', true);
    EditorRun run = RunEditor(script, 24, "not a map");
    ASSERT_EQ(run.trace.size(), 24u) << run.result.output;
    EXPECT_EQ(run.trace[0]["file"].AsString(), "");
    EXPECT_EQ(run.trace[3]["title"].AsString(), "untitled* - Duskmaw Map Editor");
    // Without an answer the dialog is cancelled and nothing is written.
    EXPECT_TRUE(run.trace[8]["modified"].AsBool());
    EXPECT_EQ(run.trace[13]["file"].AsString(), run.dir + "/new.xml");
    EXPECT_FALSE(run.trace[13]["modified"].AsBool());
    EXPECT_EQ(run.trace[13]["title"].AsString(), "new.xml - Duskmaw Map Editor");
    EXPECT_NE(ReadFile(run.dir + "/new.xml").find("x=\"500\""), std::string::npos);
    EXPECT_EQ(run.trace[23]["file"].AsString(), run.dir + "/copy.xml");
    EXPECT_NE(ReadFile(run.dir + "/copy.xml").find("x=\"500\""), std::string::npos);
    // Three asks: the cancelled one, the new map's, Ctrl+Shift+S; the second
    // Ctrl+S went to new.xml unasked.
    std::size_t dialogs = 0;
    for (std::size_t at = run.log.find("File dialog (save)"); at != std::string::npos;
         at = run.log.find("File dialog (save)", at + 1)) {
        ++dialogs;
    }
    EXPECT_EQ(dialogs, 3u) << run.log;
    EXPECT_EQ(ReadFile(run.dir + "/start.xml"), "not a map") << "the broken file is left alone";
}

TEST(EditorShortcuts, CtrlOOpensAndUndoingTheOpenBringsThePreviousMapBack) {
    const std::string other = MapXml("Other", "<entity x=\"100\" y=\"100\" ent_name=\"crate\"/>\n");
    const std::string script = Line(1, "dialog $DIR/other.xml") + Ctrl(1, 'O') + Ctrl(6, 'Z');
    EditorRun run = RunEditor(script, 11, ThreeCratesMap(), [&](const std::string& dir) {
        WriteFile(dir + "/other.xml", other);
    });
    ASSERT_EQ(run.trace.size(), 11u) << run.result.output;
    EXPECT_EQ(run.trace[5]["map"].AsString(), "Other");
    EXPECT_EQ(run.trace[5]["file"].AsString(), run.dir + "/other.xml");
    EXPECT_EQ(run.trace[5]["undo_depth"].AsNumber(), 1);
    EXPECT_FALSE(run.trace[5]["modified"].AsBool());
    EXPECT_EQ(Xs(run.trace[5]), (std::vector<double>{100}));
    EXPECT_EQ(run.trace[10]["map"].AsString(), "Crates");
    EXPECT_EQ(run.trace[10]["file"].AsString(), run.dir + "/start.xml");
    EXPECT_EQ(Xs(run.trace[10]), (std::vector<double>{300, 400, 700}));
    EXPECT_EQ(run.trace[10]["redo_depth"].AsNumber(), 1);
}

} // namespace

namespace {

TEST(EditorShortcuts, PasteKeepsTheGroupsShapeWithItsTopLeftAtTheSnappedCursor) {
    const std::string map = MapXml("Group", "<entity x=\"300\" y=\"300\" ent_name=\"crate\"/>\n"
                                            "<entity x=\"400\" y=\"340\" ent_name=\"crate\"/>\n"
                                            "<entity x=\"900\" y=\"600\" ent_name=\"crate\"/>\n"
                                            "<item x=\"350\" y=\"320\" it_name=\"Key\"/>\n");
    const std::string script = Line(0, "mouse 250 250") + Line(1, "key 0x01 down") +
                               Line(2, "mouse 450 400") + Line(4, "key 0x01 up") + Ctrl(6, 'C') +
                               Line(11, "key 0x47 down") + Line(12, "key 0x47 up") +
                               Line(13, "mouse 600 470") + Ctrl(15, 'V') + Ctrl(20, 'Z');
    EditorRun run = RunEditor(script, 25, map);
    ASSERT_EQ(run.trace.size(), 25u) << run.result.output;
    const std::vector<JsonValue> entities = Placements(run.trace[19], "entity");
    const std::vector<JsonValue> items = Placements(run.trace[19], "item");
    ASSERT_EQ(entities.size(), 5u);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(run.trace[19]["undo_depth"].AsNumber(), 1);
    // The originals lost the selection to the pasted ones.
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_FALSE(entities[i]["selected"].AsBool()) << i;
    }
    EXPECT_FALSE(items[0]["selected"].AsBool());
    // The crate's box is 37 x 38: the group shows from (281.5, 281), and
    // that corner goes to the snapped cursor (576, 448).
    EXPECT_EQ(entities[3]["x"].AsNumber(), 594.5);
    EXPECT_EQ(entities[3]["y"].AsNumber(), 467);
    EXPECT_EQ(entities[4]["x"].AsNumber(), 694.5);
    EXPECT_EQ(entities[4]["y"].AsNumber(), 507);
    EXPECT_TRUE(entities[3]["selected"].AsBool());
    EXPECT_TRUE(entities[4]["selected"].AsBool());
    EXPECT_EQ(items[1]["x"].AsNumber(), 644.5);
    EXPECT_EQ(items[1]["y"].AsNumber(), 487);
    EXPECT_TRUE(items[1]["selected"].AsBool());
    // Undone, the paste goes as one step.
    EXPECT_EQ(Placements(run.trace[24], "entity").size(), 3u);
    EXPECT_EQ(Placements(run.trace[24], "item").size(), 1u);
}

} // namespace
