// Zooming with the wheel: the point under the cursor stays, and placing,
// clicking, the grid and the visible list all work in world pixels.
#include "editor/Editor.h"
#include "tests/editor/EditorRun.h"

#include <gtest/gtest.h>

namespace {

const std::string kCrates = MapXml("Crates", "<entity x=\"400\" y=\"300\" ent_name=\"crate\"/>\n"
                                             "<entity x=\"1300\" y=\"300\" ent_name=\"crate\"/>\n");

TEST(EditorZoom, TheWheelWalksTheStepsAndStopsAtBothEnds) {
    EXPECT_EQ(Editor::NextZoom(1, 1), 1.5f);
    EXPECT_EQ(Editor::NextZoom(1, 2), 2.0f);
    EXPECT_EQ(Editor::NextZoom(2, 1), 2.0f);
    EXPECT_EQ(Editor::NextZoom(1, -1), 0.75f);
    EXPECT_EQ(Editor::NextZoom(1, -10), 0.25f);
    EXPECT_EQ(Editor::NextZoom(0.25f, -1), 0.25f);
}

TEST(EditorZoom, AtTwiceTheSizeThePointStaysAndClicksGridAndPlacingUseTheWorld) {
    // Zoom in twice with the cursor at (600, 400): the camera goes to
    // (300, 200). The crate at (400, 300) is then at screen (200, 200).
    EditorRun run = RunEditor("0 mouse 600 400\n2 wheel 2\n"
                              "4 mouse 200 200\n5 key 0x01 down\n6 key 0x01 up\n"
                              "8 key 0x47 down\n9 key 0x47 up\n"
                              "10 mouse 650 450\n12 key 0x02 down\n13 key 0x02 up\n",
                              16, kCrates);
    ASSERT_EQ(run.trace.size(), 16u) << run.result.output;
    EXPECT_EQ(run.trace[1]["zoom"].AsNumber(), 1);
    EXPECT_EQ(run.trace[2]["zoom"].AsNumber(), 2);
    EXPECT_EQ(run.trace[2]["camera"][0].AsNumber(), 300);
    EXPECT_EQ(run.trace[2]["camera"][1].AsNumber(), 200);
    EXPECT_EQ(run.trace[2]["cursor"][0].AsNumber(), 600) << "the point under the cursor stays";
    EXPECT_EQ(run.trace[2]["cursor"][1].AsNumber(), 400);
    // The view covers 512 x 384 world pixels: the crate at 1300 is not in it.
    EXPECT_EQ(run.trace[3]["visible_entities"].AsNumber(), 1);
    EXPECT_TRUE(Placements(run.trace[6], "entity")[0]["selected"].AsBool());
    // Mouse (650, 450) is world (625, 425): snapped (608, 416).
    EXPECT_EQ(run.trace[12]["cursor"][0].AsNumber(), 608);
    EXPECT_EQ(run.trace[12]["cursor"][1].AsNumber(), 416);
    const std::vector<JsonValue> entities = Placements(run.trace[14], "entity");
    ASSERT_EQ(entities.size(), 3u);
    // Visible first: the crate at 400, the new one, then the one off screen.
    EXPECT_EQ(entities[1]["x"].AsNumber(), 608);
    EXPECT_EQ(entities[1]["y"].AsNumber(), 416);
}

TEST(EditorZoom, AtHalfTheSizeTheViewShowsMoreAndTheGridSnapsInTheWorld) {
    // Out twice at (600, 400): camera (-600, -400), the view 2048 x 1536.
    // Then a click on the crate at (400, 300), now at screen (500, 350), and
    // a Ctrl-drag of 20 x 10 screen pixels: 40 x 20 in the world.
    EditorRun run = RunEditor("0 mouse 600 400\n2 wheel -2\n"
                              "3 mouse 500 350\n4 key 0x01 down\n5 key 0x01 up\n"
                              "7 key 0x11 down\n8 key 0x01 down\n9 mouse 520 360\n"
                              "11 key 0x01 up\n12 key 0x11 up\n"
                              "14 key 0x47 down\n15 key 0x47 up\n16 mouse 650 450\n",
                              19, kCrates);
    ASSERT_EQ(run.trace.size(), 19u) << run.result.output;
    EXPECT_EQ(run.trace[2]["zoom"].AsNumber(), 0.5);
    EXPECT_EQ(run.trace[2]["camera"][0].AsNumber(), -600);
    EXPECT_EQ(run.trace[2]["camera"][1].AsNumber(), -400);
    EXPECT_EQ(run.trace[3]["visible_entities"].AsNumber(), 2);
    const JsonValue crate = Placements(run.trace[13], "entity")[0];
    EXPECT_TRUE(crate["selected"].AsBool());
    EXPECT_EQ(crate["x"].AsNumber(), 440);
    EXPECT_EQ(crate["y"].AsNumber(), 320);
    // Mouse (650, 450) is world (700, 500): snapped (672, 480).
    EXPECT_EQ(run.trace[18]["cursor"][0].AsNumber(), 672);
    EXPECT_EQ(run.trace[18]["cursor"][1].AsNumber(), 480);
}

TEST(EditorZoom, TheWheelOverThePanelScrollsTheListInstead) {
    EditorRun run = RunEditor("0 mouse 60 100\n2 wheel 1\n", 4, kCrates);
    ASSERT_EQ(run.trace.size(), 4u) << run.result.output;
    EXPECT_EQ(run.trace[3]["zoom"].AsNumber(), 1);
    EXPECT_EQ(run.trace[3]["camera"][0].AsNumber(), 0);
}

} // namespace
