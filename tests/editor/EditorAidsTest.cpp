// The designer's aids run headless: the grid and preview states kept
// between runs, the list's search, a new map, scrolling by the view, paste
// by the visible top-left and definitions reloaded while the editor runs.
#include "tests/editor/EditorRun.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(EditorAids, TheGridAndPreviewStatesAreKeptInTheStateFolder) {
    EditorRun run =
        RunEditor("1 key 0x47 down\n2 key 0x47 up\n3 key 0x20 down\n4 key 0x20 up\n", 6,
                  OneCrateMap(), [](const std::string& dir) {
                      std::filesystem::create_directories(dir + "/state/duskmaw");
                      WriteFile(dir + "/state/duskmaw/editor-view.ini", "grid=1\npreview=0\n");
                  });
    ASSERT_EQ(run.trace.size(), 6u) << run.result.output;
    EXPECT_TRUE(run.trace[0]["grid"].AsBool()) << "as the last run left it";
    EXPECT_TRUE(Has(run.trace[0]["status"].AsString(), "grid on  |  preview off"));
    EXPECT_TRUE(Has(run.trace[5]["status"].AsString(), "grid off  |  preview on"));
    EXPECT_EQ(ReadFile(run.dir + "/state/duskmaw/editor-view.ini"), "grid=0\npreview=1\n");
}

TEST(EditorAids, CtrlNAsksFirstWhenModifiedAndUndoBringsTheMapBack) {
    const std::string script = PlaceAt500() + Line(3, "dialog cancel") + Ctrl(3, 'N') +
                               Line(8, "dialog no") + Ctrl(8, 'N') + Ctrl(13, 'Z');
    EditorRun run = RunEditor(script, 18, ThreeCratesMap());
    ASSERT_EQ(run.trace.size(), 18u) << run.result.output;
    EXPECT_EQ(Placements(run.trace[7], "entity").size(), 4u) << "Cancel keeps the map";
    EXPECT_EQ(run.trace[7]["question"].AsString(),
              "Unsaved changes: Save changes to start.xml before starting a new map? -> cancel");
    const JsonValue& fresh = run.trace[12];
    EXPECT_TRUE(fresh["placements"].AsArray().empty());
    EXPECT_EQ(fresh["map"].AsString(), "new map");
    EXPECT_EQ(fresh["file"].AsString(), "");
    EXPECT_FALSE(fresh["modified"].AsBool());
    EXPECT_EQ(fresh["title"].AsString(), "untitled - Duskmaw Map Editor");
    EXPECT_EQ(Placements(run.trace[17], "entity").size(), 4u);
    EXPECT_EQ(run.trace[17]["file"].AsString(), run.dir + "/start.xml");
}

TEST(EditorAids, TypingOverThePanelSearchesTheListAndEscClearsIt) {
    const std::string script =
        Line(0, "mouse 80 650") + Line(1, "char l") + Line(2, "char e") + Line(3, "char c") +
        Line(5, "key 0x08 down") + Line(6, "key 0x08 up") + Line(8, "key 0x1B down") +
        Line(9, "key 0x1B up") + Line(10, "mouse 60 100") + Line(11, "wheel -1") +
        Line(13, "mouse 500 500") + Line(14, "char g");
    EditorRun run = RunEditor(script, 16, OneCrateMap());
    ASSERT_EQ(run.trace.size(), 16u) << run.result.output;
    EXPECT_EQ(run.trace[4]["list"]["lines"].AsNumber(), 2); // lectern, lectern_bestiary
    EXPECT_EQ(run.trace[4]["selected_name"].AsString(), "lectern");
    // "le" also finds rubble; the pick stays.
    EXPECT_EQ(run.trace[7]["list"]["lines"].AsNumber(), 3);
    EXPECT_EQ(run.trace[7]["selected_name"].AsString(), "lectern");
    EXPECT_EQ(run.trace[10]["list"]["lines"].AsNumber(), 35) << "Esc cleared the search";
    EXPECT_EQ(run.trace[12]["list"]["top"].AsNumber(), 3) << "a wheel notch is three rows";
    EXPECT_EQ(run.trace[15]["list"]["lines"].AsNumber(), 35) << "over the map nothing is typed";
    EXPECT_EQ(run.result.exitCode, 0);
}

TEST(EditorAids, WasdScrollsThreeHundredScreenPixelsASecondAtEveryZoomShiftThreeTimes) {
    // Zoomed out to 50 %: a second of D is 600 map pixels, half a second
    // with Shift 900.
    const std::string script = Line(0, "mouse 600 400") + Line(1, "wheel -2") +
                               Line(3, "key 0x44 down") + Line(63, "key 0x44 up") +
                               Line(70, "key 0x10 down") + Line(70, "key 0x44 down") +
                               Line(100, "key 0x44 up") + Line(100, "key 0x10 up") +
                               Line(102, "key 0x48 down") + Line(103, "key 0x48 up");
    EditorRun run = RunEditor(script, 104, OneCrateMap());
    ASSERT_EQ(run.trace.size(), 104u) << run.result.output;
    EXPECT_EQ(run.trace[2]["zoom"].AsNumber(), 0.5);
    const auto x = [&](int frame) { return run.trace[frame]["camera"][0].AsNumber(); };
    EXPECT_NEAR(x(63) - x(2), 600, 0.05);
    EXPECT_NEAR(x(101) - x(69), 900, 0.05);
    EXPECT_TRUE(run.trace[101]["help"].AsBool());
    EXPECT_FALSE(run.trace[103]["help"].AsBool()) << "H hides the help";
}

} // namespace
