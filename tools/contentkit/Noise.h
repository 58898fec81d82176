// Deterministic randomness: a fixed generator and tileable value noise, so
// every run of a generator draws exactly the same picture.
#pragma once

#include <cstdint>

namespace content {

class Random {
public:
    explicit Random(uint64_t seed) : m_state(seed) {}
    uint32_t Next();
    float Float(float lo, float hi); // [lo, hi)
    int Int(int lo, int hi);         // inclusive

private:
    uint64_t m_state;
};

// Value noise in 0..1, tiling with the given period (in lattice cells) so
// ground textures repeat without seams.
float ValueNoise(float x, float y, int period, uint32_t seed);
// Several octaves of value noise; period doubles with each octave.
float Fbm(float x, float y, int period, int octaves, uint32_t seed);

} // namespace content
