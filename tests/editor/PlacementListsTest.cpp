// The editor's visible and off-screen lists: what the view moves between
// them, selection by click and box, moving and deleting, and the drawing
// order by layer.
#include "editor/PlacementLists.h"
#include "content/ContentReport.h"
#include "editor/EditorDefinitions.h"
#include "editor/EditorWorld.h"
#include "editor/GridLines.h"
#include "tests/support/TestSupport.h"
#include "toolkit/ResourceManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace {

// A placement with no sprite: its box is 32 x 32, centred.
class TestPlacement : public Placement {
public:
    TestPlacement(float px, float py, bool dynamic = false)
        : Placement(nullptr, nullptr, "test", px, py, false), m_dynamic(dynamic) {}
    bool Dynamic() const override { return m_dynamic; }

private:
    bool m_dynamic;
};

class PlacementListsTest : public ::testing::Test {
protected:
    PlacementListsTest() : m_view(&m_cameraX, &m_cameraY, 1024, 768) {}

    Placement* Add(float x, float y, bool dynamic = false) {
        auto placement = std::make_unique<TestPlacement>(x, y, dynamic);
        Placement* raw = placement.get();
        m_lists.AddOffscreen(std::move(placement));
        return raw;
    }
    bool IsVisible(const Placement* p) const {
        for (const auto& v : m_lists.Visible()) {
            if (v.get() == p) {
                return true;
            }
        }
        return false;
    }

    testing_support::HeadlessEngine m_engine;
    float m_cameraX = 0;
    float m_cameraY = 0;
    CollisionBox m_view;
    PlacementLists m_lists;
};

TEST_F(PlacementListsTest, TheViewMovesPlacementsInAndOutButDynamicOnesStay) {
    Placement* near = Add(100, 100);
    Placement* edge = Add(1024 + 16, 100); // its left edge touches the view
    Placement* dynamic = Add(500, 500, true);
    Placement* far = Add(3500, 100);
    m_lists.Update(m_view);
    EXPECT_TRUE(IsVisible(near));
    EXPECT_TRUE(IsVisible(edge));
    EXPECT_TRUE(IsVisible(dynamic));
    EXPECT_FALSE(IsVisible(far));
    m_cameraX = 3000;
    m_lists.Update(m_view);
    EXPECT_FALSE(IsVisible(near));
    EXPECT_TRUE(IsVisible(dynamic));
    EXPECT_TRUE(IsVisible(far));
    // Off-screen order: those that stayed, then those that left, in order.
    ASSERT_EQ(m_lists.Offscreen().size(), 2u);
    EXPECT_EQ(m_lists.Offscreen()[0].get(), near);
    EXPECT_EQ(m_lists.Offscreen()[1].get(), edge);
}

TEST_F(PlacementListsTest, MovedOffscreenPlacementsComeIntoViewWhereTheyNowAre) {
    Placement* p = Add(5000, 100);
    p->selected = true;
    m_lists.Update(m_view);
    ASSERT_FALSE(IsVisible(p));
    m_lists.MoveSelected(-4800, 0);
    m_lists.Update(m_view);
    EXPECT_TRUE(IsVisible(p));
    EXPECT_EQ(p->x, 200);
}

TEST_F(PlacementListsTest, DeletingTakesTheSelectedFromBothListsAndKeepsTheOrder) {
    Placement* a = Add(100, 100);
    Add(200, 100)->selected = true;
    Placement* c = Add(300, 100);
    Add(5000, 100)->selected = true;
    Placement* e = Add(6000, 100);
    m_lists.Update(m_view);
    m_lists.Visible()[1]->selected = true;
    EXPECT_EQ(m_lists.DeleteSelected(), 2);
    ASSERT_EQ(m_lists.Visible().size(), 2u);
    EXPECT_EQ(m_lists.Visible()[0].get(), a);
    EXPECT_EQ(m_lists.Visible()[1].get(), c);
    ASSERT_EQ(m_lists.Offscreen().size(), 1u);
    EXPECT_EQ(m_lists.Offscreen()[0].get(), e);
    // The edges kept beside the off-screen list still match.
    m_cameraX = 5500;
    m_lists.Update(m_view);
    EXPECT_TRUE(IsVisible(e));
}

// A prop, a ground patch (layer -1) under it and an item, each without a
// sprite (32 x 32 boxes).
class EditorWorldTest : public ::testing::Test {
protected:
    EditorWorldTest() {
        testing_support::WriteFile(engine.Dir() + "/entity.xml",
                                   "<entitydata><entity name=\"prop\" sprname=\"\" "
                                   "parname=\"\"><triggers pl=\"\" sp=\"\" en=\"\"/></entity>"
                                   "<entity name=\"ground\" sprname=\"\" parname=\"\" "
                                   "layer=\"-1\"><triggers pl=\"\" sp=\"\" en=\"\"/></entity>"
                                   "</entitydata>");
        testing_support::WriteFile(
            engine.Dir() + "/items.xml",
            "<itemdata><item name=\"Key\" sprname=\"\" parname=\"\" icon=\"\" cmd=\"\">"
            "<desc text=\"\"/></item>"
            "</itemdata>");
        struct NoReport : ContentReport {
            void CannotLoad(const std::string&) override {}
            void Problem(const std::string&, int, const std::string&) override {}
        } report;
        definitions.Load(engine.Dir() + "/entity.xml", engine.Dir() + "/items.xml", report);
    }
    void Show() {
        float camera[2] = {0, 0};
        CollisionBox view(&camera[0], &camera[1], 1024, 768);
        world.Update(view, 0);
    }
    Placement* Visible(const PlacementLists& lists, std::size_t i) {
        return lists.Visible()[i].get();
    }

    testing_support::HeadlessEngine engine;
    EditorDefinitions definitions;
    EditorWorld world;
};

TEST_F(EditorWorldTest, PlacingSelectsOnlyTheNewOneOfItsKindAndDrawsGroundFirst) {
    ASSERT_TRUE(world.Place(EditorDefinitions::kItems, "Key", 50, 50, definitions));
    ASSERT_TRUE(world.Place(EditorDefinitions::kEntities, "prop", 100, 100, definitions));
    ASSERT_TRUE(world.Place(EditorDefinitions::kEntities, "ground", 110, 100, definitions));
    EXPECT_FALSE(world.Place(EditorDefinitions::kEntities, "Key", 0, 0, definitions));
    EXPECT_FALSE(world.Place(EditorDefinitions::kEntities, "", 0, 0, definitions));
    EXPECT_FALSE(world.Entities().Offscreen()[0]->selected);
    EXPECT_TRUE(world.Entities().Offscreen()[1]->selected);
    EXPECT_TRUE(world.Items().Offscreen()[0]->selected);

    Show();
    engine->Gfx_RecordDraws(true);
    world.Draw();
    world.DrawOutlines(false, MapView{});
    // Sprite-less placements draw their outline: the ground's (at 110)
    // comes before the prop's (at 100) though it was placed later.
    std::vector<float> lefts;
    for (const DrawRecord& r : engine->Gfx_TakeDrawRecords()) {
        if (r.kind == DrawRecord::Kind::Line && r.a[1] == r.a[3] &&
            (r.a[1] == 84 || r.a[1] == 34)) {
            lefts.push_back(std::min(r.a[0], r.a[2]));
        }
    }
    EXPECT_EQ(lefts, (std::vector<float>{94, 84, 34}));
}

TEST(EditorWorld, OutlinesComeAfterEveryPlacementOnWholePixelsAndTheGridUnderTheProps) {
    testing_support::InDataDir inData;
    testing_support::HeadlessEngine engine;
    ResourceManager resources("resources/game.res");
    EditorDefinitions definitions;
    struct NoReport : ContentReport {
        void CannotLoad(const std::string&) override {}
        void Problem(const std::string&, int, const std::string&) override {}
    } report;
    definitions.Load(report);
    EditorWorld world;
    world.SetResources(&resources);
    // The selected crate first, its neighbour over it.
    ASSERT_TRUE(world.Place(EditorDefinitions::kEntities, "crate", 100, 100, definitions));
    world.Entities().Offscreen()[0]->selected = true;
    world.AddEntity("barrel", 110, 105, definitions);
    world.Entities().Offscreen()[0]->selected = true;
    float camera[2] = {0, 0};
    CollisionBox view(&camera[0], &camera[1], 1024, 768);
    world.Update(view, 0);

    for (float zoom : {0.25f, 0.5f, 0.75f}) {
        const MapView map{3.3f, -7.1f, zoom};
        engine->Gfx_RecordDraws(true);
        world.Draw([&] { DrawGridLines(map, 168, 1024, 768); });
        world.DrawOutlines(false, map);
        std::vector<DrawRecord> draws = engine->Gfx_TakeDrawRecords();
        const auto firstQuad = std::find_if(draws.begin(), draws.end(), [](const DrawRecord& r) {
            return r.kind == DrawRecord::Kind::Quad;
        });
        const auto lastQuad = std::find_if(draws.rbegin(), draws.rend(), [](const DrawRecord& r) {
                                  return r.kind == DrawRecord::Kind::Quad;
                              }).base();
        ASSERT_NE(firstQuad, draws.end());
        // The grid's lines, a step apart on screen, all before the sprites.
        std::vector<float> columns;
        for (auto r = draws.begin(); r != firstQuad; ++r) {
            ASSERT_EQ(r->kind, DrawRecord::Kind::Line);
            if (r->a[0] == r->a[2]) {
                columns.push_back(r->a[0]);
            }
        }
        ASSERT_GE(columns.size(), 2u) << zoom;
        EXPECT_NEAR(columns[1] - columns[0], 32 * zoom, 1) << zoom;
        // Only the crate's outline, after every sprite, on whole pixels.
        int outlines = 0;
        for (auto r = lastQuad; r != draws.end(); ++r) {
            ASSERT_EQ(r->kind, DrawRecord::Kind::Line);
            for (int i = 0; i < 4; ++i) {
                EXPECT_EQ(r->a[i], std::round(r->a[i])) << zoom;
            }
            ++outlines;
        }
        EXPECT_EQ(outlines, 4) << zoom;
    }
}

TEST_F(EditorWorldTest, AClickPicksTheTopmostAndLeavesLockedGroundAlone) {
    world.AddEntity("ground", 100, 100, definitions);
    world.AddEntity("prop", 100, 100, definitions);
    world.AddEntity("ground", 300, 100, definitions);
    world.AddItem("Key", 110, 100, definitions);
    Show();
    Placement* ground = Visible(world.Entities(), 0);
    Placement* prop = Visible(world.Entities(), 1);
    Placement* lonelyGround = Visible(world.Entities(), 2);
    Placement* key = Visible(world.Items(), 0);
    // Items lie over entities; where only the prop and the ground meet,
    // the prop alone is taken.
    world.PickAt(105, 100, false);
    EXPECT_TRUE(key->selected);
    EXPECT_FALSE(prop->selected);
    world.PickAt(90, 100, false);
    EXPECT_TRUE(prop->selected);
    EXPECT_FALSE(ground->selected);
    EXPECT_FALSE(key->selected);
    // Shift adds and removes one.
    world.PickAt(105, 100, true);
    EXPECT_TRUE(key->selected && prop->selected);
    world.PickAt(90, 100, true);
    EXPECT_FALSE(prop->selected);
    EXPECT_TRUE(key->selected);
    // Locked ground is out of reach of clicks, bands and Ctrl+A.
    world.PickAt(300, 100, false);
    EXPECT_EQ(world.SelectedCount(), 0u);
    world.SelectAll();
    EXPECT_FALSE(ground->selected || lonelyGround->selected);
    float band[2] = {0, 0};
    CollisionBox box(&band[0], &band[1], 400, 200);
    world.SelectInBox(box);
    EXPECT_EQ(world.SelectedCount(), 2u);
    world.groundLocked = false;
    world.PickAt(300, 100, false);
    EXPECT_TRUE(lonelyGround->selected);
    world.PickAt(90, 100, false);
    EXPECT_TRUE(prop->selected); // the higher layer, though drawn first in the list
    EXPECT_FALSE(ground->selected);
    // Nothing under the click clears the selection.
    world.PickAt(700, 700, false);
    EXPECT_FALSE(world.AnySelected());
}

TEST_F(EditorWorldTest, AMoveStopsAtTheLargestFloat) {
    const float big = std::numeric_limits<float>::max();
    world.AddEntity("prop", big, -big, definitions, true);
    world.AddEntity("prop", 0, 0, definitions, true);
    world.MoveSelected(big, -big);
    const Placement& edge = *world.Entities().Offscreen()[0];
    EXPECT_EQ(edge.x, big);
    EXPECT_EQ(edge.y, -big);
    // The group keeps its shape: the other one did not move either.
    EXPECT_EQ(world.Entities().Offscreen()[1]->x, 0);
}

} // namespace
