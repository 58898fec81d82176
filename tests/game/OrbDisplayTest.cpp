#include "game/actors/OrbDisplay.h"

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
