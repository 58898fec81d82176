// The editor program run headless with scripted input, checked through its
// trace, its log and the maps it writes.
#include "tests/editor/EditorRun.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

std::vector<bool> SelectedFlags(const JsonValue& frame) {
    std::vector<bool> flags;
    for (const JsonValue& p : Placements(frame, "entity")) {
        flags.push_back(p["selected"].AsBool());
    }
    return flags;
}

const JsonValue& EntityAt(const JsonValue& frame, std::size_t index) {
    static const JsonValue kNone;
    const JsonValue& list = frame["placements"];
    std::size_t seen = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i]["kind"].AsString() == "entity" && seen++ == index) {
            return list[i];
        }
    }
    return kNone;
}

// A click on a panel button: the pointer first, the press a frame later.
std::string Click(int frame, int x, int y) {
    return std::to_string(frame) + " mouse " + std::to_string(x) + " " + std::to_string(y) + "\n" +
           std::to_string(frame + 1) + " key 0x01 down\n" + std::to_string(frame + 2) +
           " key 0x01 up\n";
}
std::string ClickSave(int frame) {
    return Click(frame, 30, 750);
}
std::string ClickOpen(int frame) {
    return Click(frame, 80, 750);
}

} // namespace

TEST(EditorScenario, GridSnapsTheCursorAndAnAlertSaysSoEachTime) {
    // G on; mouse 45 and 31 at camera 0; then A scrolls the camera to -40.
    EditorRun run = RunEditor("1 key 0x47 down\n2 key 0x47 up\n"
                              "3 mouse 45 70\n"
                              "6 mouse 31 70\n"
                              "9 mouse 0 0\n"
                              "10 key 0x41 down\n18 key 0x41 up\n"
                              "25 key 0x47 down\n26 key 0x47 up\n",
                              30, ThreeCratesMap());
    ASSERT_EQ(run.trace.size(), 30u) << run.result.output;
    EXPECT_TRUE(run.trace[1]["grid"].AsBool());
    EXPECT_EQ(run.trace[5]["cursor"][0].AsNumber(), 32);
    EXPECT_EQ(run.trace[5]["cursor"][1].AsNumber(), 64);
    EXPECT_EQ(run.trace[8]["cursor"][0].AsNumber(), 0);
    EXPECT_NEAR(run.trace[20]["camera"][0].AsNumber(), -40, 1e-3);
    EXPECT_NEAR(run.trace[21]["cursor"][0].AsNumber(), -32, 1e-3);
    // sin 180 degrees in float arithmetic is not quite 0.
    EXPECT_NEAR(run.trace[21]["cursor"][1].AsNumber(), 0, 1e-3);
    EXPECT_FALSE(run.trace[25]["grid"].AsBool());
    const JsonValue& alerts = run.trace[25]["alerts"];
    ASSERT_EQ(alerts.size(), 2u);
    EXPECT_EQ(alerts[0]["text"].AsString(), "Grids are on");
    EXPECT_EQ(alerts[1]["text"].AsString(), "Grids are off");
    EXPECT_EQ(alerts[1]["x"].AsNumber(), 1014);
    // Asked for at 693 too, it goes a line above the live "on" alert.
    EXPECT_EQ(alerts[0]["y"].AsNumber(), 693);
    EXPECT_LT(alerts[1]["y"].AsNumber(), 693 - 10);
    EXPECT_EQ(alerts[1]["align"].AsNumber(), 1);
}

TEST(EditorScenario, WAndDTogetherScrollUpAndRightAtThreeHundredPixelsASecond) {
    EditorRun run = RunEditor("0 key 0x57 down\n0 key 0x44 down\n", 61, ThreeCratesMap());
    ASSERT_EQ(run.trace.size(), 61u);
    // Frame 0 moves by the delta before the first frame: none.
    const JsonValue& camera = run.trace[60]["camera"];
    EXPECT_NEAR(camera[0].AsNumber(), 300, 0.01);
    EXPECT_NEAR(camera[1].AsNumber(), -300, 0.01);
}

TEST(EditorScenario, EscWritesTheStatisticsBestFirstAndEnds) {
    EditorRun run = RunEditor("70 key 0x1B down\n", 200, ThreeCratesMap());
    EXPECT_EQ(run.result.exitCode, 0) << run.result.output;
    EXPECT_EQ(run.trace.size(), 70u);
    size_t best = run.log.find("Best FPS:60\n");
    size_t worst = run.log.find("Worst FPS:60\n");
    size_t average = run.log.find("Avarage FPS:60\n");
    ASSERT_NE(best, std::string::npos) << run.log;
    EXPECT_LT(best, worst);
    EXPECT_LT(worst, average);
}

TEST(EditorScenario, RightClickPlacesTheSelectedDefinitionSnappedAndSelectedAlone) {
    EditorRun run = RunEditor("0 mouse 300 300\n1 key 0x01 down\n2 key 0x01 up\n" // select one
                              "3 key 0x47 down\n4 key 0x47 up\n"
                              "5 mouse 205 70\n7 key 0x02 down\n8 key 0x02 up\n",
                              10, ThreeCratesMap());
    ASSERT_EQ(run.trace.size(), 10u);
    EXPECT_EQ(SelectedFlags(run.trace[4]), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(run.trace[6]["visible_entities"].AsNumber(), 3);
    const std::vector<JsonValue> after = Placements(run.trace[7], "entity");
    ASSERT_EQ(after.size(), 4u);
    EXPECT_EQ(SelectedFlags(run.trace[7]), (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(after[3]["name"].AsString(), run.trace[7]["selected_name"].AsString());
    EXPECT_EQ(after[3]["x"].AsNumber(), 192);
    EXPECT_EQ(after[3]["y"].AsNumber(), 64);
    EXPECT_TRUE(after[3]["visible"].AsBool());
    EXPECT_EQ(run.trace[8]["visible_entities"].AsNumber(), 4);
}

TEST(EditorScenario, ABandDraggedLeftAndUpSelectsWhatItCovers) {
    EditorRun run = RunEditor("0 mouse 450 350\n"
                              "2 key 0x01 down\n"
                              "4 mouse 350 300\n"
                              "6 mouse 250 250\n"
                              "9 key 0x01 up\n",
                              12, ThreeCratesMap());
    ASSERT_EQ(run.trace.size(), 12u);
    // While dragging the box is outlined the right way round.
    const JsonValue& box = run.trace[8]["selection_box"];
    EXPECT_EQ(box[0].AsNumber(), 250);
    EXPECT_EQ(box[1].AsNumber(), 250);
    EXPECT_EQ(box[2].AsNumber(), 200);
    EXPECT_EQ(box[3].AsNumber(), 100);
    EXPECT_EQ(SelectedFlags(run.trace[9]), (std::vector<bool>{true, true, false}));
    EXPECT_EQ(run.trace[9]["selection_box"][2].AsNumber(), 0);
}

TEST(EditorScenario, CtrlDragMovesOnlyTheSelectedPlacementsInGridSteps) {
    EditorRun run = RunEditor("0 mouse 300 300\n1 key 0x01 down\n2 key 0x01 up\n"
                              "3 key 0x47 down\n4 key 0x47 up\n"
                              "5 key 0x11 down\n6 key 0x01 down\n"
                              "8 mouse 340 300\n"  // less than a grid step
                              "10 mouse 400 340\n" // cursor snaps to (384, 320)
                              "12 key 0x01 up\n13 key 0x11 up\n",
                              15, ThreeCratesMap());
    ASSERT_EQ(run.trace.size(), 15u);
    // The drag starts from the snapped cursor (288, 288): nothing moves
    // until the cursor reaches the next grid point, then whole steps.
    EXPECT_EQ(EntityAt(run.trace[7], 0)["x"].AsNumber(), 300);
    EXPECT_EQ(EntityAt(run.trace[9], 0)["x"].AsNumber(), 332);
    EXPECT_EQ(EntityAt(run.trace[9], 0)["y"].AsNumber(), 300);
    const JsonValue& moved = EntityAt(run.trace[14], 0);
    EXPECT_EQ(moved["x"].AsNumber(), 396);
    EXPECT_EQ(moved["y"].AsNumber(), 332);
    EXPECT_EQ(EntityAt(run.trace[14], 1)["x"].AsNumber(), 400);
    EXPECT_EQ(EntityAt(run.trace[14], 2)["x"].AsNumber(), 700);
    EXPECT_TRUE(moved["selected"].AsBool());
}

TEST(EditorScenario, HoldingDeleteRemovesEveryAdjacentSelectedPlacementAtOnce) {
    EditorRun run = RunEditor("0 mouse 280 280\n2 key 0x01 down\n3 mouse 420 320\n"
                              "5 key 0x01 up\n"
                              "7 key 0x2E down\n9 key 0x2E up\n",
                              10, ThreeCratesMap());
    ASSERT_EQ(run.trace.size(), 10u);
    EXPECT_EQ(SelectedFlags(run.trace[5]), (std::vector<bool>{true, true, false}));
    const std::vector<JsonValue> left = Placements(run.trace[7], "entity");
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0]["x"].AsNumber(), 700);
}

TEST(EditorScenario, MSwitchesToItemsEffectsAndBackToTheFirstEntity) {
    EditorRun run = RunEditor("0 mouse 60 100\n1 key 0x01 down\n2 key 0x01 up\n" // pick line 4
                              "4 key 0x4D down\n5 key 0x4D up\n"
                              "6 key 0x4D down\n7 key 0x4D up\n"
                              "8 key 0x4D down\n9 key 0x4D up\n"
                              "10 mouse 500 500\n12 key 0x02 down\n13 key 0x02 up\n",
                              15, ThreeCratesMap());
    ASSERT_EQ(run.trace.size(), 15u);
    EXPECT_EQ(run.trace[2]["list"]["selected"].AsNumber(), 4);
    EXPECT_EQ(run.trace[4]["mode"].AsNumber(), 1);
    EXPECT_EQ(run.trace[4]["selected_name"].AsString(), "Amulet of the Keeper");
    EXPECT_EQ(run.trace[4]["list"]["lines"].AsNumber(), 13);
    EXPECT_EQ(run.trace[6]["mode"].AsNumber(), 3);
    EXPECT_EQ(run.trace[6]["selected_name"].AsString(), "Drifting Mist");
    EXPECT_EQ(run.trace[8]["mode"].AsNumber(), 2);
    EXPECT_EQ(run.trace[8]["list"]["selected"].AsNumber(), 0);
    EXPECT_EQ(run.trace[8]["slider"]["value"].AsNumber(), 0);
    EXPECT_EQ(run.trace[8]["slider"]["max"].AsNumber(), 35);
    EXPECT_EQ(run.trace[8]["selected_name"].AsString(), "altar_cursed");
    // Back in entity mode a right click places an entity, not an item.
    EXPECT_EQ(Placements(run.trace[14], "entity").size(), 4u);
    EXPECT_EQ(Placements(run.trace[14], "item").size(), 0u);
}

TEST(EditorScenario, TheSliderScrollsTheListButNotPastItsLastPage) {
    // 35 entity names, 26 rows of a 768-pixel window: the last top line is 9.
    EditorRun run = RunEditor("0 mouse 155 50\n1 key 0x01 down\n"
                              "3 mouse 155 97\n"  // 35 * 53 / 368 = 5.04 -> 5
                              "5 mouse 155 400\n" // about 33.9, past 9
                              "7 key 0x01 up\n",
                              9, ThreeCratesMap());
    ASSERT_EQ(run.trace.size(), 9u);
    EXPECT_EQ(run.trace[3]["list"]["top"].AsNumber(), 5);
    EXPECT_GT(run.trace[5]["slider"]["value"].AsNumber(), 9);
    EXPECT_EQ(run.trace[5]["list"]["top"].AsNumber(), 5);
}

TEST(EditorScenario, SavingAnUntouchedMapWritesEveryElementBackAsItWas) {
    const std::string map =
        MapXml("Rounding", "<item x=\"10\" y=\"20\" it_name=\"Key\"/>\n"
                           "<entity x=\"32.5\" y=\"33.5\" ent_name=\"crate\"/>\n"
                           "<effect x=\"1\" y=\"2\" fx_name=\"Circle of Flame\"/>\n"
                           "<entity x=\"-2.5\" y=\"5000.4\" ent_name=\"barrel\"/>\n");
    EditorRun run = RunEditor("0 dialog $DIR/saved.xml\n" + ClickSave(1), 6, map);
    EXPECT_EQ(ReadFile(run.dir + "/saved.xml"),
              "<?xml version=\"1.0\"?>\n"
              "<map name=\"Rounding\">\n"
              "    <item x=\"10\" y=\"20\" it_name=\"Key\"/>\n"
              "    <entity x=\"32.5\" y=\"33.5\" ent_name=\"crate\"/>\n"
              "    <effect x=\"1\" y=\"2\" fx_name=\"Circle of Flame\"/>\n"
              "    <entity x=\"-2.5\" y=\"5000.4\" ent_name=\"barrel\"/>\n"
              "</map>\n")
        << run.log;
}

TEST(EditorScenario, AnEmptyMapSavesItsNameOnlyAndANameWithoutExtensionGetsXml) {
    EditorRun run = RunEditor("0 dialog $DIR/newmap\n" + ClickSave(1), 6, MapXml("Empty", ""));
    EXPECT_EQ(ReadFile(run.dir + "/newmap.xml"), "<?xml version=\"1.0\"?>\n<map name=\"Empty\"/>\n")
        << run.log;
    EXPECT_FALSE(std::filesystem::exists(run.dir + "/newmap"));
}

TEST(EditorScenario, CancelledDialogsDoNothing) {
    EditorRun run =
        RunEditor("0 dialog cancel\n" + ClickSave(1) + "5 dialog cancel\n" + ClickOpen(6), 10,
                  ThreeCratesMap());
    EXPECT_NE(run.log.find("File dialog (save): cancelled"), std::string::npos) << run.log;
    EXPECT_NE(run.log.find("File dialog (open): cancelled"), std::string::npos);
    EXPECT_EQ(Placements(run.trace[9], "entity").size(), 3u);
    for (const auto& entry : std::filesystem::directory_iterator(run.dir)) {
        EXPECT_NE(entry.path().extension(), ".saving");
        EXPECT_TRUE(entry.path().extension() != ".xml" || entry.path().filename() == "start.xml");
    }
}

TEST(EditorScenario, OpeningAFileThatIsNotAMapKeepsTheMapOnScreen) {
    // Placed but never saved: opening a broken file must not lose it, even
    // after "Don't save".
    EditorRun run =
        RunEditor("0 mouse 500 500\n1 key 0x02 down\n2 key 0x02 up\n"
                  "3 dialog no\n3 dialog $DIR/broken.xml\n" +
                      ClickOpen(4) + "8 dialog no\n8 dialog $DIR/start.xml\n" + ClickOpen(9),
                  14, ThreeCratesMap(), [](const std::string& dir) {
                      WriteFile(dir + "/broken.xml", "not a map <<<\x01");
                  });
    ASSERT_EQ(run.trace.size(), 14u);
    EXPECT_NE(run.log.find("Message box (error) \"Error\": The parser cannot load the XML "
                           "document, located at: " +
                           run.dir + "/broken.xml"),
              std::string::npos)
        << run.log;
    EXPECT_EQ(Placements(run.trace[7], "entity").size(), 4u);
    EXPECT_EQ(run.trace[7]["map"].AsString(), "Crates");
    // A good file replaces everything, off screen first, then visible.
    EXPECT_EQ(Placements(run.trace[11], "entity").size(), 3u);
}

TEST(EditorScenario, ASaveThatFailsIsReportedAndLeavesNoPartialFile) {
    // A folder where the map should go: the finished file cannot take its
    // place, and what was there stays.
    EditorRun run = RunEditor("0 dialog $DIR/missing/out.xml\n" + ClickSave(1) +
                                  "5 dialog $DIR/taken.xml\n" + ClickSave(6),
                              10, ThreeCratesMap(), [](const std::string& dir) {
                                  WriteFile(dir + "/taken.xml/keep.txt", "kept");
                              });
    EXPECT_NE(run.log.find("Message box (error) \"Error\": The map could not be saved to: " +
                           run.dir + "/missing/out.xml"),
              std::string::npos)
        << run.log;
    EXPECT_FALSE(std::filesystem::exists(run.dir + "/missing"));
    EXPECT_NE(run.log.find("Message box (error) \"Error\": The map could not be saved to: " +
                           run.dir + "/taken.xml"),
              std::string::npos);
    EXPECT_EQ(ReadFile(run.dir + "/taken.xml/keep.txt"), "kept");
    for (const auto& entry : std::filesystem::directory_iterator(run.dir)) {
        EXPECT_NE(entry.path().extension(), ".saving") << entry.path();
    }
    EXPECT_EQ(run.log.find("Map saved"), std::string::npos);
}

TEST(EditorScenario, WithNoDefinitionsThereIsNothingToPlaceAndABrokenFileIsReported) {
    const std::string data = DataWithDefinitions("<entitydata/>\n", "<itemdata><item");
    EditorRun run = RunEditor("0 mouse 500 500\n1 key 0x02 down\n2 key 0x02 up\n"
                              "3 key 0x4D down\n4 key 0x4D up\n"
                              "5 key 0x02 down\n6 key 0x02 up\n",
                              8, ThreeCratesMap(), nullptr, data);
    ASSERT_EQ(run.trace.size(), 8u) << run.result.output;
    EXPECT_EQ(run.trace[2]["selected_name"].AsString(), "");
    EXPECT_EQ(run.trace[2]["list"]["lines"].AsNumber(), 0);
    EXPECT_EQ(run.trace[6]["mode"].AsNumber(), 1);
    // The crates are not defined either: kept, drawn as placeholders.
    EXPECT_EQ(run.trace[7]["placements"].size(), 3u);
    EXPECT_EQ(run.trace[7]["missing_placements"].AsNumber(), 3);
    EXPECT_NE(run.log.find("Message box (error) \"Error\": The parser cannot load the XML "
                           "document, located at: resources/items.xml"),
              std::string::npos)
        << run.log;
    EXPECT_NE(run.log.find("entity \"crate\": no entity definition has that name; kept as a "
                           "placeholder"),
              std::string::npos);
}
