#include "tools/soundgen/Reverb.h"

#include <array>

namespace soundgen {
namespace {

class Comb {
public:
    explicit Comb(std::size_t delay) : m_buffer(delay, 0.0f) {}
    float Run(float x, float feedback, float damp) {
        float out = m_buffer[m_pos];
        m_filter = out * (1.0f - damp) + m_filter * damp;
        m_buffer[m_pos] = x + m_filter * feedback;
        m_pos = (m_pos + 1) % m_buffer.size();
        return out;
    }

private:
    std::vector<float> m_buffer;
    std::size_t m_pos = 0;
    float m_filter = 0.0f;
};

class AllPass {
public:
    explicit AllPass(std::size_t delay) : m_buffer(delay, 0.0f) {}
    float Run(float x) {
        float stored = m_buffer[m_pos];
        float out = stored - x;
        m_buffer[m_pos] = x + stored * 0.5f;
        m_pos = (m_pos + 1) % m_buffer.size();
        return out;
    }

private:
    std::vector<float> m_buffer;
    std::size_t m_pos = 0;
};

std::vector<float> Reverberate(const Mix& mix, std::size_t spread, float roomSize) {
    std::array<Comb, 6> combs{Comb(1557 + spread), Comb(1617 + spread), Comb(1491 + spread),
                              Comb(1422 + spread), Comb(1277 + spread), Comb(1356 + spread)};
    std::array<AllPass, 2> passes{AllPass(556 + spread), AllPass(441 + spread)};
    std::vector<float> out(mix.Size(), 0.0f);
    for (std::size_t i = 0; i < mix.Size(); ++i) {
        float in = (mix.left[i] + mix.right[i]) * 0.05f;
        float sum = 0.0f;
        for (Comb& comb : combs) {
            sum += comb.Run(in, roomSize, 0.35f);
        }
        for (AllPass& pass : passes) {
            sum = pass.Run(sum);
        }
        out[i] = sum;
    }
    return out;
}

} // namespace

void AddReverb(Mix& mix, float wet, float roomSize) {
    // Slightly different delays per side give width.
    std::vector<float> left = Reverberate(mix, 0, roomSize);
    std::vector<float> right = Reverberate(mix, 23, roomSize);
    for (std::size_t i = 0; i < mix.Size(); ++i) {
        mix.left[i] += wet * left[i];
        mix.right[i] += wet * right[i];
    }
}

} // namespace soundgen
