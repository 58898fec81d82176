// Undo and redo of whole-map steps, the unsaved-changes flag and the title.
#include "editor/EditorDocument.h"
#include "content/ContentReport.h"
#include "editor/EditorDefinitions.h"
#include "editor/EditorWorld.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

class EditorDocumentTest : public ::testing::Test {
protected:
    EditorDocumentTest() {
        testing_support::WriteFile(m_engine.Dir() + "/entity.xml",
                                   "<entitydata><entity name=\"prop\" sprname=\"\" "
                                   "parname=\"\"><triggers pl=\"\" sp=\"\" en=\"\"/></entity>"
                                   "</entitydata>");
        testing_support::WriteFile(m_engine.Dir() + "/items.xml",
                                   "<itemdata><item name=\"Key\" sprname=\"\" parname=\"\" "
                                   "icon=\"\" cmd=\"\"><desc text=\"\"/></item></itemdata>");
        struct NoReport : ContentReport {
            void CannotLoad(const std::string&) override {}
            void Problem(const std::string&, int, const std::string&) override {}
        } report;
        m_definitions.Load(m_engine.Dir() + "/entity.xml", m_engine.Dir() + "/items.xml", report);
    }

    void Place(int mode, const char* name, float x, float y) {
        MapSnapshot before = m_document.Snapshot();
        ASSERT_TRUE(m_world.Place(mode, name, x, y, m_definitions));
        m_document.Commit(std::move(before));
    }

    testing_support::HeadlessEngine m_engine;
    EditorDefinitions m_definitions;
    EditorWorld m_world;
    EditorDocument m_document{m_world, m_definitions};
};

TEST_F(EditorDocumentTest, UndoAndRedoWalkThroughTheStepsWithSelectionAndPositions) {
    m_document.MarkSaved("/maps/a.xml");
    Place(EditorDefinitions::kEntities, "prop", 10.5f, 20);
    Place(EditorDefinitions::kItems, "Key", 30, 40);
    {
        MapSnapshot before = m_document.Snapshot();
        m_world.MoveSelected(5, 5); // both are selected: one of each kind
        m_document.Commit(std::move(before));
    }
    EXPECT_EQ(m_document.UndoDepth(), 3u);
    EXPECT_TRUE(m_document.Modified());

    ASSERT_TRUE(m_document.Undo());
    ASSERT_EQ(m_world.Entities().Size(), 1u);
    const Placement& prop = *m_world.Entities().Offscreen()[0];
    EXPECT_EQ(prop.x, 10.5f);
    EXPECT_TRUE(prop.selected);
    EXPECT_EQ(m_world.Items().Offscreen()[0]->x, 30);
    ASSERT_TRUE(m_document.Undo());
    EXPECT_EQ(m_world.Items().Size(), 0u);
    ASSERT_TRUE(m_document.Undo());
    EXPECT_EQ(m_world.Entities().Size(), 0u);
    EXPECT_FALSE(m_document.Undo());
    EXPECT_FALSE(m_document.Modified()) << "back where the file was saved";
    EXPECT_EQ(m_document.RedoDepth(), 3u);

    ASSERT_TRUE(m_document.Redo());
    ASSERT_TRUE(m_document.Redo());
    EXPECT_EQ(m_world.Items().Size(), 1u);
    EXPECT_TRUE(m_document.Modified());
    // A new change forgets what could have been redone.
    Place(EditorDefinitions::kEntities, "prop", 0, 0);
    EXPECT_EQ(m_document.RedoDepth(), 0u);
    EXPECT_FALSE(m_document.Redo());
    EXPECT_EQ(m_document.UndoDepth(), 3u);
}

TEST_F(EditorDocumentTest, FiveHundredStepsAreKeptAndTheOldestGoesFirst) {
    for (int i = 0; i < 520; ++i) {
        Place(EditorDefinitions::kEntities, "prop", static_cast<float>(i), 0);
    }
    EXPECT_EQ(m_document.UndoDepth(), EditorDocument::kMaxSteps);
    int undone = 0;
    while (m_document.Undo()) {
        ++undone;
    }
    EXPECT_EQ(undone, 500);
    EXPECT_EQ(m_world.Entities().Size(), 20u);
    EXPECT_EQ(m_document.RedoDepth(), 500u);
    EXPECT_TRUE(m_document.Modified());
}

TEST_F(EditorDocumentTest, UndoingAnOpenBringsBackTheMapAndItsFile) {
    m_world.mapName = "First";
    m_document.MarkSaved("/maps/first.xml");
    Place(EditorDefinitions::kEntities, "prop", 1, 2);
    EXPECT_EQ(m_document.Title(), "first.xml* - Duskmaw Map Editor");

    MapSnapshot before = m_document.Snapshot();
    m_world.Clear();
    m_world.mapName = "Second";
    m_document.CommitOpen(std::move(before), "/maps/second.xml");
    EXPECT_FALSE(m_document.Modified());
    EXPECT_EQ(m_document.Title(), "second.xml - Duskmaw Map Editor");

    ASSERT_TRUE(m_document.Undo());
    EXPECT_EQ(m_world.mapName, "First");
    EXPECT_EQ(m_document.File(), "/maps/first.xml");
    EXPECT_EQ(m_world.Entities().Size(), 1u);
    EXPECT_TRUE(m_document.Modified());
    ASSERT_TRUE(m_document.Redo());
    EXPECT_EQ(m_world.mapName, "Second");
    EXPECT_EQ(m_document.File(), "/maps/second.xml");
    EXPECT_FALSE(m_document.Modified());
}

TEST_F(EditorDocumentTest, ANewMapIsUntitledUntilSaved) {
    EXPECT_EQ(m_document.Title(), "untitled - Duskmaw Map Editor");
    Place(EditorDefinitions::kEntities, "prop", 1, 2);
    EXPECT_EQ(m_document.Title(), "untitled* - Duskmaw Map Editor");
    m_document.MarkSaved("/tmp/new.xml");
    EXPECT_EQ(m_document.Title(), "new.xml - Duskmaw Map Editor");
}

} // namespace
