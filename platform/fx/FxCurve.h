// Values that change over time or over a particle's life: straight lines
// between keys, held flat before the first and after the last. Curves over
// life are baked into small tables so a particle update reads one entry.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

struct FxKey {
    float t = 0;
    float v = 0;
};

class FxCurve {
public:
    static constexpr int kTableSize = 64;

    FxCurve() = default;
    explicit FxCurve(float constant) { SetKeys({{0, constant}}); }

    // Keys must come sorted by time; equal times make a step.
    void SetKeys(std::vector<FxKey> keys) {
        std::stable_sort(keys.begin(), keys.end(),
                         [](const FxKey& a, const FxKey& b) { return a.t < b.t; });
        m_keys = std::move(keys);
        Bake();
    }
    bool Empty() const { return m_keys.empty(); }
    float MaxValue() const {
        float best = 0;
        for (const FxKey& key : m_keys) {
            best = std::max(best, key.v);
        }
        return best;
    }

    float Sample(float t) const {
        if (m_keys.empty()) {
            return 0;
        }
        if (t <= m_keys.front().t) {
            return m_keys.front().v;
        }
        for (std::size_t i = 1; i < m_keys.size(); ++i) {
            if (t < m_keys[i].t) {
                const FxKey& a = m_keys[i - 1];
                const FxKey& b = m_keys[i];
                return a.v + (b.v - a.v) * (t - a.t) / (b.t - a.t);
            }
        }
        return m_keys.back().v;
    }

    // t in 0..1 (a particle's share of its life).
    float Life(float t) const {
        int i = static_cast<int>(t * (kTableSize - 1) + 0.5f);
        return m_table[static_cast<std::size_t>(std::clamp(i, 0, kTableSize - 1))];
    }

private:
    void Bake() {
        for (int i = 0; i < kTableSize; ++i) {
            m_table[static_cast<std::size_t>(i)] = Sample(static_cast<float>(i) / (kTableSize - 1));
        }
    }

    std::vector<FxKey> m_keys;
    std::array<float, kTableSize> m_table{};
};

// Colour over life, one curve per channel, baked into packed ARGB.
class FxColorTable {
public:
    struct Key {
        float t = 0;
        std::uint32_t argb = 0xFFFFFFFF;
    };

    FxColorTable() { SetKeys({{0, 0xFFFFFFFF}}); }

    void SetKeys(const std::vector<Key>& keys) {
        std::array<std::vector<FxKey>, 4> channels;
        for (const Key& key : keys) {
            for (int c = 0; c < 4; ++c) {
                float value = static_cast<float>((key.argb >> (24 - 8 * c)) & 0xFF);
                channels[static_cast<std::size_t>(c)].push_back({key.t, value});
            }
        }
        std::array<FxCurve, 4> curves;
        for (int c = 0; c < 4; ++c) {
            curves[static_cast<std::size_t>(c)].SetKeys(channels[static_cast<std::size_t>(c)]);
        }
        for (int i = 0; i < FxCurve::kTableSize; ++i) {
            float t = static_cast<float>(i) / (FxCurve::kTableSize - 1);
            std::uint32_t packed = 0;
            for (int c = 0; c < 4; ++c) {
                float v = std::clamp(curves[static_cast<std::size_t>(c)].Sample(t), 0.0f, 255.0f);
                packed |= static_cast<std::uint32_t>(v + 0.5f) << (24 - 8 * c);
            }
            m_table[static_cast<std::size_t>(i)] = packed;
        }
    }

    std::uint32_t Life(float t) const {
        int i = static_cast<int>(t * (FxCurve::kTableSize - 1) + 0.5f);
        return m_table[static_cast<std::size_t>(std::clamp(i, 0, FxCurve::kTableSize - 1))];
    }

private:
    std::array<std::uint32_t, FxCurve::kTableSize> m_table{};
};
