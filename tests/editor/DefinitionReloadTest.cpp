// Definition files edited while the editor runs: the placements follow the
// new definitions, a vanished one becomes a placeholder, and a file that
// does not read changes nothing.
#include "editor/DefinitionReload.h"
#include "content/ContentReport.h"
#include "editor/EditorDefinitions.h"
#include "editor/EditorWorld.h"
#include "editor/Inspector.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

std::string Entity(const std::string& name, int blocksPlayer) {
    return "<entity name=\"" + name + "\" sprname=\"\" parname=\"\" pl_col=\"" +
           std::to_string(blocksPlayer) + "\"><triggers pl=\"\" sp=\"\" en=\"\"/></entity>";
}

void Rewrite(const std::string& path, const std::string& text) {
    testing_support::WriteFile(path, text);
    // Later than anything written at the start, however coarse the clock.
    fs::last_write_time(path, fs::file_time_type::clock::now() + std::chrono::seconds(5));
}

// Runs the test in its own content folder, and goes back afterwards.
struct InFolder {
    explicit InFolder(const std::string& dir) : previous(fs::current_path()) {
        fs::create_directories(dir + "/resources");
        fs::current_path(dir);
    }
    ~InFolder() { fs::current_path(previous); }
    fs::path previous;
};

TEST(DefinitionReload, PlacementsFollowTheRewrittenFileAndABrokenFileChangesNothing) {
    testing_support::HeadlessEngine engine;
    InFolder folder(engine.Dir());
    testing_support::WriteFile("resources/entity.xml", "<entitydata>" + Entity("lamp", 0) +
                                                           Entity("post", 0) + "</entitydata>");
    testing_support::WriteFile("resources/items.xml", "<itemdata/>");
    testing_support::WriteFile("resources/effects.xml", "<fxdata/>");
    struct NoReport : ContentReport {
        void CannotLoad(const std::string&) override {}
        void Problem(const std::string&, int, const std::string&) override {}
    } report;
    EditorDefinitions definitions;
    definitions.Load(report);
    EditorWorld world;
    world.AddEntity("lamp", 10, 20, definitions, true);
    world.AddEntity("post", 30, 40, definitions);
    DefinitionReload reload;
    reload.Start();

    Rewrite("resources/entity.xml", "<entitydata>" + Entity("lamp", 1) + "</entitydata>");
    EXPECT_FALSE(reload.Poll(0.5f)) << "looked at once a second";
    ASSERT_TRUE(reload.Poll(1.0f));
    std::string error;
    ASSERT_TRUE(ReloadDefinitions(definitions, world, error)) << error;
    const PlacementLists::List& placed = world.Entities().Offscreen();
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_FALSE(placed[0]->Missing());
    EXPECT_TRUE(placed[0]->selected);
    EXPECT_TRUE(placed[1]->Missing()) << "post's definition went";
    EXPECT_EQ(placed[1]->x, 30);
    Inspector inspector;
    inspector.Refresh(world);
    EXPECT_EQ(inspector.Lines().at(2), "Blocks: player");
    EXPECT_FALSE(reload.Poll(2.5f)) << "nothing changed since";

    Rewrite("resources/entity.xml", "<entitydata><entity name=");
    ASSERT_TRUE(reload.Poll(3.5f));
    EXPECT_FALSE(ReloadDefinitions(definitions, world, error));
    EXPECT_EQ(error, "resources/entity.xml cannot be read");
    EXPECT_NE(definitions.Entity("lamp"), nullptr);
    EXPECT_FALSE(world.Entities().Offscreen()[0]->Missing());
}

} // namespace
