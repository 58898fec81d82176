#include "toolkit/Sprite.h"
#include "tests/toolkit/DrawingTestHelpers.h"
#include "toolkit/Animation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using drawing_test::TakeQuads;

struct Point {
    float x, y;
};

void ExpectCorners(const Quad& quad, const Point (&expected)[4]) {
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(quad.v[i].x, expected[i].x, 1e-3f) << "corner " << i;
        EXPECT_NEAR(quad.v[i].y, expected[i].y, 1e-3f) << "corner " << i;
    }
}

void ExpectCoords(const Sprite& sprite, const Point (&expected)[4]) {
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(sprite.GetQuad().v[i].tx, expected[i].x) << "corner " << i;
        EXPECT_FLOAT_EQ(sprite.GetQuad().v[i].ty, expected[i].y) << "corner " << i;
    }
}

class SpriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        texture = engine->Texture_Create(256, 128);
        engine->Gfx_RecordDraws(true);
    }
    testing_support::HeadlessEngine engine;
    HTEXTURE texture = 0;
};

TEST_F(SpriteTest, ConstructionSetsDefaultsAndCoordinatesFromTheRectangle) {
    Sprite sprite(texture, 64, 32, 32, 16);
    ExpectCoords(sprite, {{0.25f, 0.25f}, {0.375f, 0.25f}, {0.375f, 0.375f}, {0.25f, 0.375f}});
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(sprite.GetColor(i), 0xFFFFFFFFu);
        EXPECT_FLOAT_EQ(sprite.GetZ(i), 0.5f);
    }
    EXPECT_EQ(sprite.GetBlendMode(), 2);

    // Without a texture the rectangle is already in texture coordinates.
    Sprite plain(0, 0, 0, 1, 1);
    ExpectCoords(plain, {{0, 0}, {1, 0}, {1, 1}, {0, 1}});
}

TEST_F(SpriteTest, RenderPlacesCornersAroundTheHotspotWithOneQuad) {
    Sprite sprite(texture, 0, 0, 32, 16);
    sprite.SetHotSpot(8, 4);
    sprite.Render(100, 50);
    sprite.RenderEx(100, 50, 0.0f, 1.0f);
    sprite.RenderStretch(1, 2, 3, 4);
    sprite.Render4V(1, 2, 3, 4, 5, 6, 7, 8);
    std::vector<Quad> quads = TakeQuads(engine.get());
    ASSERT_EQ(quads.size(), 4u);
    ExpectCorners(quads[0], {{92, 46}, {124, 46}, {124, 62}, {92, 62}});
    ExpectCorners(quads[1], {{92, 46}, {124, 46}, {124, 62}, {92, 62}});
    ExpectCorners(quads[2], {{1, 2}, {3, 2}, {3, 4}, {1, 4}});
    ExpectCorners(quads[3], {{1, 2}, {3, 4}, {5, 6}, {7, 8}});
    EXPECT_EQ(quads[0].tex, texture);
    EXPECT_EQ(quads[0].blend, 2);
}

TEST_F(SpriteTest, RenderExScalesAndRotatesAboutTheHotspot) {
    Sprite sprite(texture, 0, 0, 32, 16);
    sprite.SetHotSpot(8, 4);
    sprite.RenderEx(100, 50, 0.0f, 2.0f);       // vscale 0: both axes by 2
    sprite.RenderEx(100, 50, 0.0f, 2.0f, 0.5f); // separate scales
    sprite.RenderEx(100, 50, static_cast<float>(M_PI / 2), 1.0f);
    std::vector<Quad> quads = TakeQuads(engine.get());
    ASSERT_EQ(quads.size(), 3u);
    ExpectCorners(quads[0], {{84, 42}, {148, 42}, {148, 74}, {84, 74}});
    ExpectCorners(quads[1], {{84, 48}, {148, 48}, {148, 56}, {84, 56}});
    // A quarter turn maps (a, b) to (-b, a).
    ExpectCorners(quads[2], {{104, 42}, {104, 74}, {88, 74}, {88, 42}});
}

TEST_F(SpriteTest, SetColorAndSetZReachOneCornerOrAll) {
    Sprite sprite(texture, 0, 0, 32, 16);
    sprite.SetColor(0x80FF0000);
    sprite.SetColor(0xFF00FF00, 2);
    sprite.SetZ(0.25f);
    sprite.SetZ(0.75f, 3);
    sprite.Render(0, 0);
    Quad quad = TakeQuads(engine.get()).at(0);
    EXPECT_EQ(quad.v[0].col, 0x80FF0000u);
    EXPECT_EQ(quad.v[1].col, 0x80FF0000u);
    EXPECT_EQ(quad.v[2].col, 0xFF00FF00u);
    EXPECT_EQ(quad.v[3].col, 0x80FF0000u);
    EXPECT_FLOAT_EQ(quad.v[0].z, 0.25f);
    EXPECT_FLOAT_EQ(quad.v[3].z, 0.75f);
}

TEST_F(SpriteTest, FlipsSwapCoordinatesOnceAndRestore) {
    Sprite sprite(texture, 64, 32, 32, 16);
    const Point plain[4] = {{0.25f, 0.25f}, {0.375f, 0.25f}, {0.375f, 0.375f}, {0.25f, 0.375f}};
    const Point mirroredX[4] = {{0.375f, 0.25f}, {0.25f, 0.25f}, {0.25f, 0.375f}, {0.375f, 0.375f}};
    sprite.SetFlip(true, false, false);
    ExpectCoords(sprite, mirroredX);
    sprite.SetFlip(true, false, false);
    ExpectCoords(sprite, mirroredX);
    sprite.SetFlip(false, true, false);
    ExpectCoords(sprite, {{0.25f, 0.375f}, {0.375f, 0.375f}, {0.375f, 0.25f}, {0.25f, 0.25f}});
    sprite.SetFlip(false, false, false);
    ExpectCoords(sprite, plain);
}

TEST_F(SpriteTest, HotspotMirrorsByTheFlagsBeforeTheCall) {
    Sprite sprite(texture, 0, 0, 32, 16);
    sprite.SetHotSpot(4, 2);
    float hx, hy;
    // The flags are still off while the hotspot rule runs: no change yet.
    sprite.SetFlip(true, true, true);
    sprite.GetHotSpot(&hx, &hy);
    EXPECT_FLOAT_EQ(hx, 4);
    EXPECT_FLOAT_EQ(hy, 2);
    // Undone for the old setting, then not redone for hotspot flip off.
    sprite.SetFlip(true, true, false);
    sprite.GetHotSpot(&hx, &hy);
    EXPECT_FLOAT_EQ(hx, 28);
    EXPECT_FLOAT_EQ(hy, 14);
    // Mirrored by the flags as they stand (both on).
    sprite.SetFlip(false, false, true);
    sprite.GetHotSpot(&hx, &hy);
    EXPECT_FLOAT_EQ(hx, 4);
    EXPECT_FLOAT_EQ(hy, 2);
    bool fx, fy;
    sprite.GetFlip(&fx, &fy);
    EXPECT_FALSE(fx);
    EXPECT_FALSE(fy);
}

TEST_F(SpriteTest, SetTextureRectKeepsFlipsAndOptionallyTheSize) {
    Sprite sprite(texture, 0, 0, 32, 16);
    sprite.SetFlip(true, false, false);
    sprite.SetTextureRect(128, 64, 64, 32);
    ExpectCoords(sprite, {{0.75f, 0.5f}, {0.5f, 0.5f}, {0.5f, 0.75f}, {0.75f, 0.75f}});
    EXPECT_FLOAT_EQ(sprite.GetWidth(), 64);
    sprite.SetTextureRect(0, 0, 128, 128, false);
    EXPECT_FLOAT_EQ(sprite.GetWidth(), 64);
    EXPECT_FLOAT_EQ(sprite.GetHeight(), 32);
    ExpectCoords(sprite, {{0.5f, 0}, {0, 0}, {0, 1}, {0.5f, 1}});
}

TEST_F(SpriteTest, SetTextureKeepsTheSameTexelsSelected) {
    Sprite sprite(texture, 64, 32, 32, 16);
    sprite.SetTexture(engine->Texture_Create(512, 256));
    ExpectCoords(sprite,
                 {{0.125f, 0.125f}, {0.1875f, 0.125f}, {0.1875f, 0.1875f}, {0.125f, 0.1875f}});
    sprite.SetTexture(0);
    ExpectCoords(sprite, {{64, 32}, {96, 32}, {96, 48}, {64, 48}});
}

TEST_F(SpriteTest, CopiesAreIndependentAndOutliveTheOriginal) {
    auto original = std::make_unique<Sprite>(texture, 0, 0, 32, 16);
    original->SetHotSpot(16, 8);
    original->SetFlip(true, false, false);
    Sprite copy(*original);
    copy.SetColor(0xFF123456);
    EXPECT_EQ(original->GetColor(), 0xFFFFFFFFu);
    original.reset();
    copy.Render(16, 8);
    Quad quad = TakeQuads(engine.get()).at(0);
    ExpectCorners(quad, {{0, 0}, {32, 0}, {32, 16}, {0, 16}});
    EXPECT_FLOAT_EQ(quad.v[0].tx, 0.125f); // still mirrored
    Sprite assigned(0, 0, 0, 1, 1);
    assigned = copy;
    EXPECT_EQ(assigned.GetColor(3), 0xFF123456u);
}

class AnimationTest : public SpriteTest {
protected:
    float Left(const Sprite& s) { return s.GetQuad().v[0].tx * 256; }
    float Top(const Sprite& s) { return s.GetQuad().v[0].ty * 128; }
};

TEST_F(AnimationTest, FramesContinueOnTheNextRowFromTheLeftEdge) {
    Animation anim(texture, 8, 12, 192, 0, 32, 32);
    EXPECT_FLOAT_EQ(Left(anim), 192);
    anim.SetFrame(1);
    EXPECT_FLOAT_EQ(Left(anim), 224);
    EXPECT_FLOAT_EQ(Top(anim), 0);
    anim.SetFrame(2);
    EXPECT_FLOAT_EQ(Left(anim), 0);
    EXPECT_FLOAT_EQ(Top(anim), 32);
    anim.SetFrame(3);
    EXPECT_FLOAT_EQ(Left(anim), 32);
    // The stored rectangle stays at the strip's origin.
    float x, y, w, h;
    anim.GetTextureRect(&x, &y, &w, &h);
    EXPECT_FLOAT_EQ(x, 192);
}

TEST_F(AnimationTest, NegativeAndLargeFramesWrapAndReverseStartsAtTheEnd) {
    Animation anim(texture, 8, 12, 0, 0, 32, 32);
    anim.SetFrame(-1);
    EXPECT_EQ(anim.GetFrame(), 7);
    EXPECT_FLOAT_EQ(Left(anim), 224);
    anim.SetFrame(17);
    EXPECT_EQ(anim.GetFrame(), 1);
    anim.SetMode(Animation::kReverse | Animation::kLoop);
    EXPECT_EQ(anim.GetFrame(), 7);
    anim.SetMode(Animation::kLoop);
    EXPECT_EQ(anim.GetFrame(), 0);
}

TEST_F(AnimationTest, FramesKeepTheFlip) {
    Animation anim(texture, 4, 12, 0, 0, 32, 32);
    anim.SetFlip(true, false, false);
    anim.SetFrame(1);
    EXPECT_FLOAT_EQ(Left(anim), 64); // right edge of frame 1 on the left
    EXPECT_FLOAT_EQ(anim.GetQuad().v[1].tx * 256, 32);
}

TEST_F(AnimationTest, DegenerateStripsStayFinite) {
    Animation none(texture, 0, 12, 0, 0, 32, 32);
    none.SetFrame(5);
    EXPECT_EQ(none.GetFrame(), 0);
    Animation untextured(0, 4, 12, 0, 0, 0.25f, 1);
    untextured.SetFrame(3);
    EXPECT_TRUE(std::isfinite(untextured.GetQuad().v[0].tx));
}

} // namespace
