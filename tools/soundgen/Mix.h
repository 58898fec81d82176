// A stereo float buffer that instruments add their notes into.
#pragma once

#include <cstddef>
#include <vector>

namespace soundgen {

constexpr int kRate = 44100;

struct Mix {
    std::vector<float> left;
    std::vector<float> right;

    explicit Mix(double seconds = 0.0) { Resize(seconds); }
    void Resize(double seconds) {
        std::size_t n = static_cast<std::size_t>(seconds * kRate + 0.5);
        left.assign(n, 0.0f);
        right.assign(n, 0.0f);
    }
    std::size_t Size() const { return left.size(); }
    // pan -1 (left) .. 1 (right), equal-power-ish.
    void Add(std::size_t i, float value, float pan) {
        if (i >= left.size()) {
            return;
        }
        left[i] += value * (0.5f * (1.0f - pan) + 0.5f) * 0.8f;
        right[i] += value * (0.5f * (1.0f + pan) + 0.5f) * 0.8f;
    }
};

// Deterministic noise so every run writes the same files.
class Noise {
public:
    explicit Noise(unsigned seed) : m_state(seed * 2654435761u + 1u) {}
    float Next() {
        m_state = m_state * 1664525u + 1013904223u;
        return static_cast<float>(m_state >> 8) / 8388608.0f - 1.0f;
    }

private:
    unsigned m_state;
};

} // namespace soundgen
