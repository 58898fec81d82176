// Effects placed like everything else, and the precise hand: Ctrl-drags on
// the grid, arrow nudges, and a panel that keeps its own clicks.
#include "tests/editor/EditorRun.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using testing_support::ReadFile;

namespace {

std::string Key(int frame, const std::string& code) {
    return Line(frame, "key " + code + " down") + Line(frame + 1, "key " + code + " up");
}

} // namespace

TEST(PlacingPrecisely, EffectsArePlacedDeletedUndoneNudgedAndSaved) {
    const std::string map = MapXml("Fx", "<effect x=\"1500\" y=\"400\" fx_name=\"Embers\"/>\n");
    // M twice: effects. Place at (500, 500), delete it, undo, two nudges
    // right (one step), then save.
    EditorRun run = RunEditor("0 mouse 500 500\n" + Key(1, "0x4D") + Key(3, "0x4D") +
                                  Key(5, "0x02") + Key(8, "0x2E") + Ctrl(10, 'Z') +
                                  Key(15, "0x27") + Key(17, "0x27") + Ctrl(20, 'S'),
                              25, map);
    ASSERT_EQ(run.trace.size(), 25u) << run.log;
    EXPECT_EQ(run.trace[4]["mode"].AsNumber(), 3);
    const std::string name = run.trace[4]["selected_name"].AsString();
    ASSERT_EQ(Placements(run.trace[6], "effect").size(), 2u);
    EXPECT_EQ(Placements(run.trace[9], "effect").size(), 1u);
    ASSERT_EQ(Placements(run.trace[12], "effect").size(), 2u);
    EXPECT_EQ(run.trace[12]["status"].AsString().rfind(
                  "start.xml  |  modified  |  zoom 100%  |  0 entities, 0 items, 2 effects  |  "
                  "1 selected  |  ground locked (L)  |  cursor 500, 500  |  selection ",
                  0),
              0u);
    const double depth = run.trace[12]["undo_depth"].AsNumber();
    EXPECT_EQ(run.trace[19]["undo_depth"].AsNumber(), depth + 1); // one burst, one step
    EXPECT_EQ(ReadFile(run.dir + "/start.xml"),
              MapXml("Fx", "    <effect x=\"1500\" y=\"400\" fx_name=\"Embers\"/>\n"
                           "    <effect x=\"502\" y=\"500\" fx_name=\"" +
                               name + "\"/>\n"))
        << run.log;
}

TEST(PlacingPrecisely, ACtrlDragOnTheGridMovesInWholeSteps) {
    const std::string map = MapXml("Grid", "<entity x=\"320\" y=\"320\" ent_name=\"crate\"/>\n");
    // Grid on; click the crate off its grid point; a Ctrl-click that does
    // not move leaves it; a Ctrl-drag lands it two steps right.
    EditorRun run = RunEditor("0 mouse 327 330\n" + Key(1, "0x47") + Key(3, "0x01") +
                                  "6 key 0x11 down\n7 key 0x01 down\n9 key 0x01 up\n"
                                  "11 key 0x01 down\n12 mouse 395 330\n14 key 0x01 up\n"
                                  "15 key 0x11 up\n",
                              17, map);
    ASSERT_EQ(run.trace.size(), 17u) << run.log;
    const auto at = [&](int frame) { return Placements(run.trace[frame], "entity")[0]; };
    EXPECT_TRUE(at(5)["selected"].AsBool());
    EXPECT_EQ(at(10)["x"].AsNumber(), 320);
    EXPECT_EQ(at(10)["y"].AsNumber(), 320);
    EXPECT_EQ(at(16)["x"].AsNumber(), 384);
    EXPECT_EQ(at(16)["y"].AsNumber(), 320);
}

TEST(PlacingPrecisely, ThePanelKeepsItsClicks) {
    // A right click on the panel places nothing and leaves the selection; a
    // pointer that arrives on the list and clicks in the same frame picks
    // the row under it.
    EditorRun run = RunEditor(Key(1, "0x01") + "3 mouse 80 300\n" + Key(4, "0x02") +
                                  "6 mouse 60 80\n" + Key(6, "0x01"),
                              9, OneCrateMap());
    ASSERT_EQ(run.trace.size(), 9u) << run.log;
    EXPECT_EQ(Placements(run.trace[8], "entity").size(), 1u);
    EXPECT_EQ(run.trace[8]["undo_depth"].AsNumber(), 0);
    EXPECT_EQ(run.trace[8]["list"]["selected"].AsNumber(), 2);
}

TEST(PlacingPrecisely, ALongNameIsShortenedInTheListAndPlacedWhole) {
    const std::string name = "a_gravestone_with_a_name_far_too_long_for_the_list";
    const std::string data = DataWithDefinitions(
        "<entitydata><entity name=\"" + name +
            "\" sprname=\"crate\" parname=\"\"><triggers pl=\"\" sp=\"\" en=\"\"/></entity>"
            "</entitydata>\n",
        "<itemdata/>\n");
    EditorRun run =
        RunEditor("0 mouse 500 500\n" + Key(1, "0x02"), 4, MapXml("Long", ""), nullptr, data);
    ASSERT_EQ(run.trace.size(), 4u) << run.log;
    const std::string line = run.trace[3]["list"]["line"].AsString();
    EXPECT_LT(line.size(), name.size());
    EXPECT_EQ(line.substr(line.size() - 3), "\u2026");
    EXPECT_EQ(name.compare(0, line.size() - 3, line, 0, line.size() - 3), 0);
    EXPECT_EQ(Placements(run.trace[3], "entity")[0]["name"].AsString(), name);
}
