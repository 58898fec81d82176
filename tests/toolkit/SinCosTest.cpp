#include "toolkit/SinCos.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace {

// Distance in units in the last place between two floats of one sign
// (zeros of either sign are one value).
std::int64_t Ulps(float a, float b) {
    if (a == b) {
        return 0;
    }
    auto ordered = [](float f) {
        std::int32_t i;
        std::memcpy(&i, &f, 4);
        return i < 0 ? std::int64_t(std::numeric_limits<std::int32_t>::min()) - i : std::int64_t(i);
    };
    return std::llabs(ordered(a) - ordered(b));
}

} // namespace

TEST(SinCos, AgreesWithTheLibraryWithinTwoUnitsInTheLastPlace) {
    std::vector<float> angles = {0.0f, -0.0f, 1e-30f, 0.5f, -0.5f, 1.0f, 3.0f, 100.0f, -12345.6f};
    // Every quarter turn and its neighbours, where the reduction switches.
    for (int k = -40; k <= 40; ++k) {
        const float at = static_cast<float>(k * 1.5707963267948966);
        angles.insert(angles.end(), {at, std::nextafter(at, 1e9f), std::nextafter(at, -1e9f)});
    }
    std::uint32_t seed = 7;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        angles.push_back((static_cast<float>(seed >> 8) / 16777216.0f - 0.5f) * 16000.0f);
    }
    std::vector<float> sines(angles.size()), cosines(angles.size());
    SinCos(angles.data(), sines.data(), cosines.data(), static_cast<int>(angles.size()));
    int off = 0;
    for (std::size_t i = 0; i < angles.size(); ++i) {
        const float s = std::sin(angles[i]), c = std::cos(angles[i]);
        // Near a zero the absolute error counts, not the ulps of a tiny value.
        const bool sineOk = Ulps(sines[i], s) <= 2 || std::fabs(sines[i] - s) < 1.5e-7f;
        const bool cosineOk = Ulps(cosines[i], c) <= 2 || std::fabs(cosines[i] - c) < 1.5e-7f;
        off += !sineOk || !cosineOk;
        EXPECT_TRUE(sineOk && cosineOk)
            << angles[i] << ": " << sines[i] << " vs " << s << ", " << cosines[i] << " vs " << c;
        if (off > 5) {
            break;
        }
    }
    // No rotation is exactly no rotation.
    EXPECT_EQ(sines[0], 0.0f);
    EXPECT_EQ(cosines[0], 1.0f);
}

TEST(SinCos, HugeAndNonFiniteAnglesTakeTheLibrarysPath) {
    const float angles[] = {1e4f, -3e7f, 1e30f, std::numeric_limits<float>::infinity(),
                            std::numeric_limits<float>::quiet_NaN()};
    float sines[5], cosines[5];
    SinCos(angles, sines, cosines, 5);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sines[i], std::sin(angles[i])) << angles[i];
        EXPECT_EQ(cosines[i], std::cos(angles[i])) << angles[i];
    }
    EXPECT_TRUE(std::isnan(sines[3]) && std::isnan(cosines[3]));
    EXPECT_TRUE(std::isnan(sines[4]) && std::isnan(cosines[4]));
}
