#include "game/actors/OrbDisplay.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

TEST(OrbDisplay, GlowBlurDarkensTheBordersAndKeepsThreeQuartersOfTheAlpha) {
    std::vector<unsigned> white(64 * 64, 0xFFFFFFFFu);
    std::vector<unsigned> glow(64 * 64);
    BlurOrbGlow(white.data(), glow.data());
    // Inside: seven full neighbours each way.
    EXPECT_EQ(glow[32 * 64 + 32], 0xBFFFFFFFu); // alpha 0.75 * 255 = 191
    // Corner: 4 of 7 across (145), then 4 of 7 down (82), alpha 0.75 * 82.
    EXPECT_EQ(glow[0], (61u << 24) | 0x525252u);
    // One channel does not bleed into another.
    std::vector<unsigned> red(64 * 64, 0x00FF0000u);
    BlurOrbGlow(red.data(), glow.data());
    EXPECT_EQ(glow[32 * 64 + 32], 0x00FF0000u);
}

TEST(OrbDisplay, GlowBlurOfOnePixelSpreadsOverSevenBySeven) {
    std::vector<unsigned> dot(64 * 64, 0u);
    dot[10 * 64 + 10] = 0xFF7000E0u;
    std::vector<unsigned> glow(64 * 64);
    BlurOrbGlow(dot.data(), glow.data());
    // Across: 255/7 = 36, 112/7 = 16, 224/7 = 32; down: 36/7 = 5 (alpha 0.75 * 5
    // = 3), 16/7 = 2, 32/7 = 4.
    EXPECT_EQ(glow[10 * 64 + 10], 0x03020004u);
    EXPECT_EQ(glow[7 * 64 + 13], 0x03020004u);
    EXPECT_EQ(glow[6 * 64 + 10], 0u);
    EXPECT_EQ(glow[10 * 64 + 14], 0u);
}

TEST(OrbDisplay, TexturesOfOtherSizesGiveTheirCornerOrATransparentBorder) {
    // Wider than 64: rows are 100 long, and column 66 lies outside the corner.
    std::vector<std::uint32_t> wide(100 * 70, 0u);
    wide[10 * 100 + 10] = 0xFF7000E0u;
    wide[10 * 100 + 66] = 0xFFFFFFFFu;
    std::vector<unsigned> square = GlowSource(wide.data(), 100, 70);
    std::vector<unsigned> glow(64 * 64);
    BlurOrbGlow(square.data(), glow.data());
    EXPECT_EQ(glow[10 * 64 + 10], 0x03020004u);
    EXPECT_EQ(glow[10 * 64 + 63], 0u);

    // Smaller: a white 20 x 20 fades out over the transparent rest.
    testing_support::HeadlessEngine engine;
    HTEXTURE small = engine->Texture_Create(20, 20);
    const int pitch = engine->Texture_GetWidth(small);
    std::uint32_t* pixels = engine->Texture_Lock(small, false);
    ASSERT_NE(pixels, nullptr);
    for (int r = 0; r < 20; ++r) {
        for (int c = 0; c < 20; ++c) {
            pixels[r * pitch + c] = 0xFFFFFFFFu;
        }
    }
    engine->Texture_Unlock(small);
    std::unique_ptr<Sprite> sprite = MakeOrbGlow(*engine.get(), small);
    ASSERT_NE(sprite, nullptr);
    const std::uint32_t* out = engine->Texture_Lock(sprite->GetTexture(), true);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(engine->Texture_GetWidth(sprite->GetTexture()), 64);
    // Column 22 sees only column 19 across (36), then seven such rows down.
    EXPECT_EQ(out[10 * 64 + 22], 0x1B242424u);
    EXPECT_EQ(out[10 * 64 + 23], 0u);
    EXPECT_EQ(out[40 * 64 + 40], 0u);
    engine->Texture_Unlock(sprite->GetTexture());
    bool flipX = true, flipY = false;
    sprite->GetFlip(&flipX, &flipY);
    EXPECT_FALSE(flipX);
    EXPECT_TRUE(flipY);
    engine->Texture_Free(sprite->GetTexture());
    engine->Texture_Free(small);
}
