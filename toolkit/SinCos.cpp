#include "toolkit/SinCos.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace {

// Beyond this the quarter-turn count outgrows the reduction's precision;
// such angles (and infinities and NaN) take the library's own path.
constexpr float kLargest = 65536.0f;

// Rounds to the nearest integer without a call: adding 1.5 * 2^52 leaves
// no fraction bits in a double.
constexpr double kRoundMagic = 6755399441055744.0;
constexpr double kTwoOverPi = 0.63661977236758134308;
// pi / 2 in two parts, so k * kPiOver2High is exact for the k used here.
constexpr double kPiOver2High = 1.5707963267341256;
constexpr double kPiOver2Low = 6.077100506506192e-11;

} // namespace

void SinCos(const float* angles, float* sines, float* cosines, int count) {
    for (int i = 0; i < count; ++i) {
        const double x = angles[i];
        // x = k * pi/2 + r with |r| <= pi/4. The rounding sum holds k in its
        // low bits: the quarter turns pick the signs and whether sine and
        // cosine change places, chosen with masks so the loop has no branch.
        const double rounded = x * kTwoOverPi + kRoundMagic;
        const auto quarter = std::bit_cast<std::uint64_t>(rounded);
        const double k = rounded - kRoundMagic;
        const double r = (x - k * kPiOver2High) - k * kPiOver2Low;
        const double r2 = r * r;
        // Taylor series to the ninth and tenth powers: on a quarter turn the
        // terms left out are below 2e-9, far below float precision.
        const double sinR =
            r + r * r2 * (-1.0 / 6 + r2 * (1.0 / 120 + r2 * (-1.0 / 5040 + r2 * (1.0 / 362880))));
        const double cosR =
            1.0 +
            r2 * (-1.0 / 2 +
                  r2 * (1.0 / 24 + r2 * (-1.0 / 720 + r2 * (1.0 / 40320 + r2 * (-1.0 / 3628800)))));
        const std::uint64_t sinBits = std::bit_cast<std::uint64_t>(sinR);
        const std::uint64_t cosBits = std::bit_cast<std::uint64_t>(cosR);
        const std::uint64_t swap = 0 - (quarter & 1);
        const std::uint64_t sine = ((cosBits & swap) | (sinBits & ~swap)) ^ ((quarter & 2) << 62);
        const std::uint64_t cosine =
            ((sinBits & swap) | (cosBits & ~swap)) ^ (((quarter + 1) & 2) << 62);
        sines[i] = static_cast<float>(std::bit_cast<double>(sine));
        cosines[i] = static_cast<float>(std::bit_cast<double>(cosine));
    }
    for (int i = 0; i < count; ++i) {
        if (!(std::fabs(angles[i]) <= kLargest)) {
            sines[i] = std::sin(angles[i]);
            cosines[i] = std::cos(angles[i]);
        }
    }
}
