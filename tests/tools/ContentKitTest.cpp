// The drawing kit under every generator: PNG bytes the engine reads back,
// compositing, anti-aliased coverage, seamless wrap and tileable noise.
#include "tests/support/TestSupport.h"
#include "tools/contentkit/FontFace.h"
#include "tools/contentkit/Image.h"
#include "tools/contentkit/Noise.h"
#include "tools/contentkit/PngWriter.h"
#include "tools/contentkit/Shape.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using content::Image;
using content::Rgba;

float Coverage(const Image& img) {
    float sum = 0;
    for (int y = 0; y < img.Height(); ++y) {
        for (int x = 0; x < img.Width(); ++x) {
            sum += img.At(x, y).a;
        }
    }
    return sum;
}

TEST(ContentKit, EncodedPngReadsBackThroughTheEngineWithTheSamePixels) {
    testing_support::HeadlessEngine engine;
    Image img(8, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 8; ++x) {
            img.At(x, y) = {x / 7.0f, y / 3.0f, 0.5f, (x + y) % 3 == 0 ? 0.0f : 1.0f};
        }
    }
    std::vector<uint8_t> png = content::EncodePng(8, 4, img.ToRgba8());
    EXPECT_EQ(png, content::EncodePng(8, 4, img.ToRgba8())); // same pixels, same bytes
    HTEXTURE tex = engine->Texture_LoadFromMemory(png.data(), static_cast<uint32_t>(png.size()));
    ASSERT_NE(tex, 0u);
    ASSERT_EQ(engine->Texture_GetWidth(tex, true), 8);
    uint32_t* pixels = engine->Texture_Lock(tex, true);
    ASSERT_NE(pixels, nullptr);
    int stride = engine->Texture_GetWidth(tex);
    std::vector<uint8_t> rgba = img.ToRgba8();
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 8; ++x) {
            const uint8_t* p = &rgba[(y * 8 + x) * 4];
            uint32_t argb = (uint32_t(p[3]) << 24) | (p[0] << 16) | (p[1] << 8) | p[2];
            EXPECT_EQ(pixels[y * stride + x], argb) << x << "," << y;
        }
    }
    engine->Texture_Unlock(tex);
    engine->Texture_Free(tex);
}

TEST(ContentKit, FullyTransparentTexelsAreWrittenBlack) {
    // Nearest sampling at a sprite's edge must not pick up a stray colour.
    Image img(1, 1);
    img.At(0, 0) = {1, 0.5f, 0.25f, 0.001f};
    EXPECT_EQ(img.ToRgba8(), (std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST(ContentKit, BlendComposesOverWithStraightAlpha) {
    Image img(1, 1);
    img.Blend(0, 0, {1, 0, 0, 1});
    img.Blend(0, 0, {0, 0, 1, 0.5f});
    EXPECT_FLOAT_EQ(img.At(0, 0).a, 1);
    EXPECT_FLOAT_EQ(img.At(0, 0).r, 0.5f);
    EXPECT_FLOAT_EQ(img.At(0, 0).b, 0.5f);
    // Over a transparent pixel a half-covered colour keeps its own colour.
    img.At(0, 0) = {};
    img.Blend(0, 0, {0.2f, 0.4f, 0.6f, 1}, 0.5f);
    EXPECT_FLOAT_EQ(img.At(0, 0).g, 0.4f);
    EXPECT_FLOAT_EQ(img.At(0, 0).a, 0.5f);
    img.Blend(-1, 0, {1, 1, 1, 1}); // outside: ignored, no crash
}

TEST(ContentKit, ShapesCoverTheirAreaWithSoftEdges) {
    Image img(64, 64);
    content::FillColor(img, content::Circle(32, 32, 20), {1, 1, 1, 1});
    EXPECT_NEAR(Coverage(img), M_PI * 400, 6);
    EXPECT_FLOAT_EQ(img.At(32, 32).a, 1);
    EXPECT_FLOAT_EQ(img.At(2, 2).a, 0);
    // Some pixel on the rim is partly covered: the edge is anti-aliased.
    bool partial = false;
    for (int x = 0; x < 64; ++x) {
        float a = img.At(x, 27).a;
        partial = partial || (a > 0.05f && a < 0.95f);
    }
    EXPECT_TRUE(partial);

    Image box(32, 32);
    content::FillColor(box,
                       content::Subtract(content::Box(16, 16, 10, 10), content::Box(16, 16, 5, 5)),
                       {1, 1, 1, 1});
    EXPECT_NEAR(Coverage(box), 400 - 100, 2);
    EXPECT_FLOAT_EQ(box.At(16, 16).a, 0); // the hole stays clear
}

TEST(ContentKit, WrappedFillComesBackOnTheOppositeEdge) {
    Image img(32, 32);
    content::FillArea(
        img, content::Circle(31, 16, 4),
        [](float, float, float) {
            return Rgba{1, 1, 1, 1};
        },
        25, 10, 37, 22, true);
    EXPECT_GT(img.At(1, 16).a, 0.9f);  // the part past the right edge
    EXPECT_GT(img.At(30, 16).a, 0.9f); // and the part inside
    EXPECT_NEAR(Coverage(img), M_PI * 16, 2);
}

TEST(ContentKit, NoiseIsDeterministicAndTilesWithItsPeriod) {
    content::Random a(7), b(7);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(a.Next(), b.Next());
    }
    content::Random r(3);
    for (int i = 0; i < 1000; ++i) {
        int v = r.Int(-2, 2);
        ASSERT_TRUE(v >= -2 && v <= 2);
        float f = r.Float(1, 2);
        ASSERT_TRUE(f >= 1 && f < 2);
    }
    for (float x : {0.3f, 2.7f, 5.5f}) {
        for (float y : {0.1f, 3.9f}) {
            // x + 8 keeps fewer fraction bits than x, hence the tolerance.
            EXPECT_NEAR(content::ValueNoise(x, y, 8, 1), content::ValueNoise(x + 8, y - 8, 8, 1),
                        1e-5);
            EXPECT_NEAR(content::Fbm(x, y, 8, 4, 2), content::Fbm(x + 8, y + 16, 8, 4, 2), 1e-5);
            float n = content::Fbm(x, y, 8, 4, 2);
            EXPECT_TRUE(n >= 0 && n <= 1);
        }
    }
}

TEST(ContentKit, FontFaceRastersGlyphsWithMetrics) {
    content::FontFace face(content::DejaVuPath("DejaVuSans.ttf"), 16);
    if (!face.Ok()) {
        GTEST_SKIP() << "DejaVu fonts are not installed";
    }
    content::GlyphBitmap a = face.Render('A');
    EXPECT_GT(a.width, 5);
    EXPECT_GT(a.advance, a.width - 2);
    EXPECT_GT(a.top, 8);
    content::GlyphBitmap space = face.Render(' ');
    EXPECT_EQ(space.width, 0);
    EXPECT_GT(space.advance, 0);
    EXPECT_EQ(face.TextWidth("AA"), 2 * a.advance);
    EXPECT_FALSE(content::FontFace("/no/such/font.ttf", 12).Ok());
}

} // namespace
