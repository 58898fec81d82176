// The game on maps of the test's own, through --map, read from its trace.
#include "tests/game/GameRun.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

TEST(WorldScenario, TheGameLoadsTheGivenMapAndSkipsWhatItCannotPlace) {
    std::string dir = testing_support::MakeTempDir("map");
    testing_support::WriteFile(dir + "/m.xml", "<map name='Test glade'>\n"
                                               "<entity x='512' y='300' ent_name='tree_oak'/>\n"
                                               "<entity x='nan' y='1e39' ent_name='rock_small'/>\n"
                                               "<entity x='5000' y='300' ent_name='tree_oak'/>\n"
                                               "<entity x='1' y='1' ent_name='no_such_thing'/>\n"
                                               "<effect x='600' y='300' fx_name='Embers'/>\n"
                                               "<item x='700' y='400' it_name='Bread'/>\n"
                                               "<item x='9000' y='400' it_name='Key'/>\n"
                                               "</map>\n");
    GameRun run = RunGame("", 3, "", {"--map", dir + "/m.xml"});
    ASSERT_EQ(run.result.exitCode, 0) << run.result.output;
    ASSERT_FALSE(run.trace.empty());
    const JsonValue& world = run.trace.back()["world"];
    EXPECT_EQ(world["map"].AsString(), "Test glade");
    // The tree, the rock (at 0, 0 after its coordinates were refused) and
    // the embers are in view; the far tree is not.
    EXPECT_EQ(world["active_entities"].AsNumber(), 3);
    EXPECT_EQ(world["inactive_entities"].AsNumber(), 1);
    EXPECT_EQ(world["active_items"].AsNumber(), 1);
    EXPECT_EQ(world["inactive_items"].AsNumber(), 1);
    EXPECT_NE(run.log.find("m.xml:3: entity y \"1e39\" is out of range; read as 0"),
              std::string::npos)
        << run.log;
    EXPECT_NE(run.log.find("m.xml:5: entity \"no_such_thing\" skipped: no entity definition"),
              std::string::npos);
}

TEST(WorldScenario, AMapThatCannotBeLoadedLeavesAnEmptyWorldAndTheGameRuns) {
    std::string dir = testing_support::MakeTempDir("map");
    testing_support::WriteFile(dir + "/broken.xml", "<map name='x'><entity");
    GameRun run = RunGame("", 3, "", {"--map", dir + "/broken.xml"});
    ASSERT_EQ(run.result.exitCode, 0);
    ASSERT_EQ(run.trace.size(), 3u);
    EXPECT_EQ(run.trace.back()["world"]["active_entities"].AsNumber(), 0);
    EXPECT_NE(
        run.log.find("The parser cannot load the XML document, located at: " + dir + "/broken.xml"),
        std::string::npos);
}

TEST(WorldScenario, TheShippedGladeStartsWithEntitiesEffectsAndItemsInView) {
    GameRun run = RunGame("", 2);
    ASSERT_EQ(run.result.exitCode, 0);
    const JsonValue& world = run.trace.back()["world"];
    EXPECT_GT(world["active_entities"].AsNumber(), 10);
    EXPECT_GT(world["inactive_entities"].AsNumber(), 10);
    EXPECT_GT(world["active_items"].AsNumber(), 0);
    EXPECT_EQ(run.log.find("skipped"), std::string::npos) << run.log;
    EXPECT_EQ(run.log.find("cannot load"), std::string::npos) << run.log;
}
