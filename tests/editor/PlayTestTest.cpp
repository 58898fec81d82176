// F5 runs the game on the map as it is in the editor, headless here: the
// game's own trace shows the map, what was placed and where the player is.
#include "tests/editor/EditorRun.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(EditorPlayTest, F5StartsTheGameOnTheCurrentMapWithThePlayerAtTheViewsCentre) {
    const std::string map = MapXml("Crates", "<entity x=\"300\" y=\"300\" ent_name=\"crate\"/>\n"
                                             "<entity x=\"400\" y=\"300\" ent_name=\"crate\"/>\n");
    // Place a third crate (not saved), zoom in once about (600, 400): the
    // camera goes to (200, 133.33) and the view's centre to (541.33, 389.33).
    EditorRun run = RunEditor("0 mouse 700 600\n1 key 0x02 down\n2 key 0x02 up\n"
                              "3 mouse 600 400\n4 wheel 1\n"
                              "6 key 0x74 down\n7 key 0x74 up\n",
                              12, map);
    ASSERT_EQ(run.trace.size(), 12u) << run.result.output;
    EXPECT_FALSE(run.trace[5]["playtest"].AsBool());
    EXPECT_TRUE(run.trace[6]["playtest"].AsBool());
    EXPECT_NE(run.log.find("Play-test started on "), std::string::npos) << run.log;
    EXPECT_NE(run.log.find("at 541.33,389.33"), std::string::npos) << run.log;

    const std::vector<JsonValue> game = ReadJsonLines(run.dir + "/trace.jsonl.game");
    ASSERT_FALSE(game.empty()) << testing_support::ReadFile(run.dir + "/log.txt.game");
    const JsonValue& world = game[0]["world"];
    EXPECT_EQ(world["map"].AsString(), "Crates");
    EXPECT_EQ(world["active_entities"].AsNumber() + world["inactive_entities"].AsNumber(), 3);
    EXPECT_NEAR(game[0]["player"]["x"].AsNumber(), 541.33, 1e-3);
    EXPECT_NEAR(game[0]["player"]["y"].AsNumber(), 389.33, 1e-3);
    // The map file the game ran on is gone with it; the editor's own is untouched.
    EXPECT_EQ(testing_support::ReadFile(run.dir + "/start.xml"), map);
    const std::size_t at = run.log.find("Play-test started on ");
    const std::string played = run.log.substr(at + 21, run.log.find(" at ", at) - at - 21);
    EXPECT_FALSE(std::filesystem::exists(played)) << played;
    EXPECT_TRUE(run.trace[11]["modified"].AsBool()) << "the play-test is not a save";
    EXPECT_NE(run.log.find("Play-test ended (exit code 0)"), std::string::npos) << run.log;
}

TEST(EditorPlayTest, ShiftF5WalksTheMapWithoutEnemiesEvenThroughAnAddgroupTrigger) {
    const std::string data = DataWithDefinitions(
        "<entitydata><entity name=\"horn\" sprname=\"lectern\" parname=\"\" pl_col=\"0\" "
        "sp_col=\"0\" en_col=\"0\"><triggers pl=\"addgroup_3\" sp=\"\" en=\"\"/></entity>"
        "</entitydata>",
        testing_support::ReadFile(testing_support::SourceDir() + "/data/resources/items.xml"));
    // The player starts at the view's centre, on the horn.
    EditorRun run = RunEditor("1 key 0x10 down\n2 key 0x74 down\n3 key 0x74 up\n4 key 0x10 up\n", 6,
                              MapXml("Walk", "<entity x=\"512\" y=\"384\" ent_name=\"horn\"/>\n"),
                              nullptr, data);
    EXPECT_NE(run.log.find("(peaceful)"), std::string::npos) << run.log;
    const std::vector<JsonValue> game = ReadJsonLines(run.dir + "/trace.jsonl.game");
    ASSERT_EQ(game.size(), 30u);
    for (const JsonValue& frame : game) {
        EXPECT_TRUE(frame["groups"].AsArray().empty()) << frame["frame"].AsNumber();
        EXPECT_TRUE(frame["enemies"].AsArray().empty()) << frame["frame"].AsNumber();
    }
    const std::string gameLog = testing_support::ReadFile(run.dir + "/log.txt.game");
    EXPECT_NE(gameLog.find("Peaceful: no enemy group at start-up"), std::string::npos) << gameLog;
    EXPECT_NE(gameLog.find("Peaceful: \"addgroup_3\" ignored"), std::string::npos) << gameLog;
}

} // namespace
