#include "toolkit/SinCos.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace {

// Up to this the three-part reduction below is exact enough for floats;
// larger angles (and infinities and NaN) take the library's own path.
constexpr float kLargest = 8192.0f;

// Rounds to the nearest integer without a call: adding 1.5 * 2^23 leaves
// no fraction bits in a float.
constexpr float kRoundMagic = 12582912.0f;
constexpr float kTwoOverPi = 0.636619772f;
// pi / 2 in three parts with few enough bits that k times each of the first
// two is exact for every quarter-turn count k used here.
constexpr float kPiOver2A = 1.5703125f;
constexpr float kPiOver2B = 4.837512969970703125e-4f;
constexpr float kPiOver2C = 7.549790126404332e-8f;

} // namespace

void SinCos(const float* angles, float* sines, float* cosines, int count) {
    int outOfRange = 0;
    for (int i = 0; i < count; ++i) {
        const float x = angles[i];
        outOfRange += !(std::fabs(x) <= kLargest);
        // x = k * pi/2 + r with |r| <= pi/4. The rounding sum holds k in its
        // low bits: the quarter turns pick the signs and whether sine and
        // cosine change places, chosen with masks so the loop has no branch
        // and runs four angles at a time.
        const float rounded = x * kTwoOverPi + kRoundMagic;
        const auto quarter = std::bit_cast<std::uint32_t>(rounded);
        const float k = rounded - kRoundMagic;
        const float r = ((x - k * kPiOver2A) - k * kPiOver2B) - k * kPiOver2C;
        const float r2 = r * r;
        // Taylor series to the ninth and eighth powers: on a quarter turn the
        // terms left out are below 2e-8, under float precision.
        const float sinR =
            r +
            r * r2 * (-1.0f / 6 + r2 * (1.0f / 120 + r2 * (-1.0f / 5040 + r2 * (1.0f / 362880))));
        const float cosR =
            1.0f + r2 * (-0.5f + r2 * (1.0f / 24 + r2 * (-1.0f / 720 + r2 * (1.0f / 40320))));
        const std::uint32_t sinBits = std::bit_cast<std::uint32_t>(sinR);
        const std::uint32_t cosBits = std::bit_cast<std::uint32_t>(cosR);
        const std::uint32_t swap = 0u - (quarter & 1);
        const std::uint32_t sine = ((cosBits & swap) | (sinBits & ~swap)) ^ ((quarter & 2) << 30);
        const std::uint32_t cosine =
            ((sinBits & swap) | (cosBits & ~swap)) ^ (((quarter + 1) & 2) << 30);
        sines[i] = std::bit_cast<float>(sine);
        cosines[i] = std::bit_cast<float>(cosine);
    }
    for (int i = 0; outOfRange > 0 && i < count; ++i) {
        if (!(std::fabs(angles[i]) <= kLargest)) {
            sines[i] = std::sin(angles[i]);
            cosines[i] = std::cos(angles[i]);
        }
    }
}
