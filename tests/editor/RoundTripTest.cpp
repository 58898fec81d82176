// A map saved by the editor is what the game reads: the same entities and
// items, at their positions rounded to whole pixels.
#include "content/ContentReport.h"
#include "content/MapFile.h"
#include "tests/editor/EditorRun.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct CollectingReport : ContentReport {
    void CannotLoad(const std::string& path) override { problems += "cannot load " + path; }
    void Problem(const std::string&, int, const std::string& what) override { problems += what; }
    std::string problems;
};

} // namespace

TEST(EditorRoundTrip, TheGameReadsWhatTheEditorSaved) {
    const std::string map =
        MapXml("Round Trip", "<entity x=\"100.5\" y=\"200\" ent_name=\"crate\"/>\n"
                             "<item x=\"300\" y=\"301.5\" it_name=\"Key\"/>\n"
                             "<entity x=\"9000\" y=\"9000\" ent_name=\"barrel\"/>\n");
    // Place a torch and a Bread item, drag nothing, save.
    EditorRun run = RunEditor("0 mouse 500.25 400.75\n1 key 0x02 down\n2 key 0x02 up\n"
                              "3 key 0x4D down\n4 key 0x4D up\n"
                              "5 mouse 60 78\n6 key 0x01 down\n7 key 0x01 up\n" // "Bread"
                              "8 mouse 620.5 410\n9 key 0x02 down\n10 key 0x02 up\n"
                              "11 dialog $DIR/saved.xml\n12 mouse 30 750\n"
                              "13 key 0x01 down\n14 key 0x01 up\n",
                              16, map);
    ASSERT_EQ(run.trace.size(), 16u) << run.result.output;
    const JsonValue& last = run.trace.back();
    EXPECT_EQ(last["selected_name"].AsString(), "Bread");

    MapContents saved;
    CollectingReport report;
    ASSERT_TRUE(ReadMapFile(run.dir + "/saved.xml", saved, report)) << run.log;
    EXPECT_EQ(report.problems, "");
    EXPECT_EQ(saved.name, "Round Trip");
    // Each saved placement is one on screen: untouched ones as written, new
    // ones rounded.
    auto compare = [&](const std::vector<MapPlacement>& read, const std::string& kind) {
        const std::vector<JsonValue> placed = Placements(last, kind);
        ASSERT_EQ(read.size(), placed.size()) << kind;
        for (const MapPlacement& r : read) {
            bool found = false;
            for (const JsonValue& p : placed) {
                const double x = p["x"].AsNumber();
                const double y = p["y"].AsNumber();
                found = found ||
                        (r.name == p["name"].AsString() && (r.x == x || r.x == std::nearbyint(x)) &&
                         (r.y == y || r.y == std::nearbyint(y)));
            }
            EXPECT_TRUE(found) << r.name;
        }
    };
    compare(saved.entities, "entity");
    compare(saved.items, "item");
    ASSERT_EQ(saved.entities.size(), 3u);
    EXPECT_EQ(saved.entities[0].x, 100.5f); // untouched: as written
    EXPECT_EQ(saved.entities[2].y, 401);    // new at 400.75
    ASSERT_EQ(saved.items.size(), 2u);
    EXPECT_EQ(saved.items[0].y, 301.5f);
    EXPECT_EQ(saved.items[1].x, 620); // new at 620.5: ties to even
    EXPECT_EQ(saved.items[1].name, "Bread");

    const std::string dir = run.dir;
    ProgramResult game = RunProgram(DUSKMAW_GAME_BINARY,
                                    {"--headless", "--data", testing_support::SourceDir() + "/data",
                                     "--log", dir + "/game-log.txt", "--frames", "3", "--map",
                                     dir + "/saved.xml", "--trace", dir + "/game.jsonl"});
    ASSERT_EQ(game.exitCode, 0) << game.output;
    const std::vector<JsonValue> trace = ReadJsonLines(dir + "/game.jsonl");
    ASSERT_FALSE(trace.empty());
    const JsonValue& world = trace.back()["world"];
    EXPECT_EQ(world["map"].AsString(), "Round Trip");
    EXPECT_EQ(world["active_entities"].AsNumber() + world["inactive_entities"].AsNumber(), 3);
    EXPECT_EQ(world["active_items"].AsNumber() + world["inactive_items"].AsNumber(), 2);
    EXPECT_EQ(testing_support::ReadFile(dir + "/game-log.txt").find("skipped"), std::string::npos);
}
