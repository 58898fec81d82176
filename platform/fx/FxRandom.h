// Each live emitter draws from its own generator, seeded from its
// definition, so a restart plays the same way every time and a restore file
// can carry the exact state the simulation would have reached.
#pragma once

#include <cstdint>

class FxRandom {
public:
    explicit FxRandom(std::uint64_t seed = 1) { Seed(seed); }

    void Seed(std::uint64_t seed) {
        m_state = seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull;
    }
    std::uint64_t State() const { return m_state; }
    void SetState(std::uint64_t state) { m_state = state; }

    std::uint32_t Next() {
        // xorshift64* keeps the whole state in one word, cheap to save.
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return static_cast<std::uint32_t>((m_state * 0x2545F4914F6CDD1Dull) >> 32);
    }
    // Uniform in [0, 1).
    float Unit() { return static_cast<float>(Next() >> 8) * (1.0f / 16777216.0f); }
    float Range(float low, float high) { return low + (high - low) * Unit(); }

private:
    std::uint64_t m_state = 0;
};
