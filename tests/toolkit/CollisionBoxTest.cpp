#include "toolkit/CollisionBox.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace {

struct Owner {
    float x = 0;
    float y = 0;
};

// A box reads its owner's position through pointers, so neither may be
// copied or moved away from the other.
struct PinnedOwner : Pinned {
    float x = 0;
};
static_assert(!std::is_copy_constructible_v<CollisionBox>);
static_assert(!std::is_copy_constructible_v<PinnedOwner>);
static_assert(!std::is_move_constructible_v<PinnedOwner>);
static_assert(!std::is_move_assignable_v<PinnedOwner>);

} // namespace

TEST(CollisionBox, EdgesFollowTheOwnerAtOnce) {
    Owner owner{10, 20};
    CollisionBox box(&owner.x, &owner.y, 30, 40, -15, -20);
    EXPECT_FLOAT_EQ(box.Left(), -5);
    EXPECT_FLOAT_EQ(box.Bottom(), 40);
    owner.x = 100;
    owner.y = -50;
    EXPECT_FLOAT_EQ(box.Left(), 85);
    EXPECT_FLOAT_EQ(box.Right(), 115);
    EXPECT_FLOAT_EQ(box.Top(), -70);
}

TEST(CollisionBox, OverlapIsInclusiveOnEdgesAndCorners) {
    Owner a{0, 0}, b{10, 0};
    CollisionBox boxA(&a.x, &a.y, 10, 10);
    CollisionBox boxB(&b.x, &b.y, 10, 10);
    EXPECT_TRUE(CollisionBox::Overlap(boxA, boxB)); // shared edge
    b = {10, 10};
    EXPECT_TRUE(CollisionBox::Overlap(boxA, boxB)); // shared corner
    EXPECT_TRUE(CollisionBox::Overlap(boxB, boxA));
    b = {10.01f, 10};
    EXPECT_FALSE(CollisionBox::Overlap(boxA, boxB));
    b = {0, -10.5f};
    EXPECT_FALSE(CollisionBox::Overlap(boxA, boxB));

    // A zero-size box overlaps whatever holds or touches its point.
    Owner p{5, 10};
    CollisionBox point(&p.x, &p.y, 0, 0);
    EXPECT_TRUE(CollisionBox::Overlap(boxA, point));
    EXPECT_TRUE(CollisionBox::Overlap(point, boxA));
    p = {5, 10.1f};
    EXPECT_FALSE(CollisionBox::Overlap(boxA, point));
}

TEST(CollisionBox, ContainmentIsStrict) {
    Owner o{0, 0};
    CollisionBox box(&o.x, &o.y, 10, 10);
    EXPECT_TRUE(box.Contains(5, 5));
    EXPECT_FALSE(box.Contains(0, 5));
    EXPECT_FALSE(box.Contains(5, 10));
    EXPECT_FALSE(box.Contains(10, 10));
    EXPECT_FALSE(box.Contains(-1, 5));
}

TEST(CollisionBox, OutlineIsFourWhiteLinesInOrder) {
    testing_support::HeadlessEngine engine;
    engine->Gfx_RecordDraws(true);
    Owner o{1, 2};
    CollisionBox box(&o.x, &o.y, 3, 4);
    box.DrawOutline();
    std::vector<DrawRecord> lines = engine->Gfx_TakeDrawRecords();
    ASSERT_EQ(lines.size(), 4u);
    const float expected[4][4] = {{1, 2, 4, 2}, {4, 2, 4, 6}, {4, 6, 1, 6}, {1, 6, 1, 2}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(lines[i].kind, DrawRecord::Kind::Line);
        EXPECT_EQ(lines[i].quad.v[0].col, 0xFFFFFFFFu);
        EXPECT_FLOAT_EQ(lines[i].a[4], 0.5f);
        for (int k = 0; k < 4; ++k) {
            EXPECT_FLOAT_EQ(lines[i].a[k], expected[i][k]) << "line " << i;
        }
    }
}
