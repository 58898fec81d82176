#include "tools/contentkit/Noise.h"

#include <cmath>

namespace content {

uint32_t Random::Next() {
    // splitmix64: tiny and well mixed.
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
}

float Random::Float(float lo, float hi) {
    return lo + (hi - lo) * (Next() / 4294967296.0f);
}

int Random::Int(int lo, int hi) {
    return lo + static_cast<int>(Next() % (hi - lo + 1));
}

namespace {

float Lattice(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / 16777215.0f;
}

int Wrap(int v, int period) {
    return period > 0 ? ((v % period) + period) % period : v;
}

} // namespace

float ValueNoise(float x, float y, int period, uint32_t seed) {
    float fx = std::floor(x), fy = std::floor(y);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    float tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    int x0 = Wrap(ix, period), x1 = Wrap(ix + 1, period);
    int y0 = Wrap(iy, period), y1 = Wrap(iy + 1, period);
    float a = Lattice(x0, y0, seed), b = Lattice(x1, y0, seed);
    float c = Lattice(x0, y1, seed), d = Lattice(x1, y1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float Fbm(float x, float y, int period, int octaves, uint32_t seed) {
    float sum = 0, amp = 0.5f, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += ValueNoise(x, y, period, seed + i * 101u) * amp;
        norm += amp;
        x *= 2;
        y *= 2;
        period *= 2;
        amp *= 0.5f;
    }
    return sum / norm;
}

} // namespace content
