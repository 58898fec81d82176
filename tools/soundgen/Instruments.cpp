#include "tools/soundgen/Instruments.h"

#include <cmath>

namespace soundgen {
namespace {

constexpr double kTwoPi = 6.283185307179586;

struct LowPass {
    float state = 0.0f;
    float Run(float x, double cutoffHz) {
        float a = static_cast<float>(1.0 - std::exp(-kTwoPi * cutoffHz / kRate));
        state += a * (x - state);
        return state;
    }
};

std::size_t Index(double t) {
    return static_cast<std::size_t>(t * kRate + 0.5);
}

// Attack/release shape so no note starts or stops with a click.
float Envelope(double t, double length, double attack, double release) {
    if (t < attack) {
        return static_cast<float>(t / attack);
    }
    if (t > length) {
        double r = 1.0 - (t - length) / release;
        return r > 0.0 ? static_cast<float>(r * r) : 0.0f;
    }
    return 1.0f;
}

float Saw(double phase) {
    return static_cast<float>(2.0 * (phase - std::floor(phase)) - 1.0);
}

} // namespace

double MidiToHz(double midi) {
    return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0);
}

void Taiko(Mix& mix, double t, float gain, float pitch, float pan) {
    Noise noise(static_cast<unsigned>(t * 1000.0) + 7u);
    LowPass skin;
    double phase = 0.0;
    std::size_t start = Index(t);
    for (std::size_t i = 0; i < Index(1.4); ++i) {
        double s = static_cast<double>(i) / kRate;
        double hz = pitch * (48.0 + 95.0 * std::exp(-s / 0.035));
        phase += kTwoPi * hz / kRate;
        float body = static_cast<float>(std::sin(phase) * std::exp(-s / 0.38) +
                                        0.25 * std::sin(phase * 1.52) * std::exp(-s / 0.09));
        float hit = skin.Run(noise.Next(), 900.0) * static_cast<float>(std::exp(-s / 0.02)) * 2.5f;
        float attack = static_cast<float>(1.0 - std::exp(-s / 0.0015));
        mix.Add(start + i, gain * attack * (body + hit), pan);
    }
}

void Shime(Mix& mix, double t, float gain, float pan) {
    Noise noise(static_cast<unsigned>(t * 1000.0) + 13u);
    LowPass low;
    double phase = 0.0;
    std::size_t start = Index(t);
    for (std::size_t i = 0; i < Index(0.3); ++i) {
        double s = static_cast<double>(i) / kRate;
        phase += kTwoPi * (330.0 + 180.0 * std::exp(-s / 0.012)) / kRate;
        float n = noise.Next();
        float click = (n - low.Run(n, 2500.0)) * static_cast<float>(std::exp(-s / 0.006));
        float tone = static_cast<float>(std::sin(phase) * std::exp(-s / 0.045));
        mix.Add(start + i, gain * (0.7f * tone + 0.6f * click), pan);
    }
}

void Bass(Mix& mix, double t, double length, int midi, float gain) {
    LowPass a;
    LowPass b;
    double hz = MidiToHz(midi);
    std::size_t start = Index(t);
    for (std::size_t i = 0; i < Index(length + 0.05); ++i) {
        double s = static_cast<double>(i) / kRate;
        double cutoff = 180.0 + 1100.0 * std::exp(-s / 0.07);
        float raw = 0.7f * Saw(hz * s) + 0.5f * static_cast<float>(std::sin(kTwoPi * hz * s));
        float v = b.Run(a.Run(raw, cutoff), cutoff * 1.5);
        mix.Add(start + i, gain * Envelope(s, length, 0.004, 0.04) * v, 0.0f);
    }
}

void Pad(Mix& mix, double t, double length, const std::vector<int>& midis, float gain) {
    std::size_t start = Index(t);
    int voice = 0;
    for (int midi : midis) {
        for (int side = -1; side <= 1; side += 2) {
            LowPass a;
            LowPass b;
            double hz = MidiToHz(midi + side * 0.08);
            double offset = 0.13 * (voice++);
            for (std::size_t i = 0; i < Index(length + 0.9); ++i) {
                double s = static_cast<double>(i) / kRate;
                float swell =
                    0.85f + 0.15f * static_cast<float>(std::sin(kTwoPi * 0.3 * s + offset));
                float v = b.Run(a.Run(Saw(hz * s + offset), 900.0), 1400.0);
                mix.Add(start + i, gain * swell * Envelope(s, length, 0.5, 0.9) * v, 0.6f * side);
            }
        }
    }
}

void Lead(Mix& mix, double t, double length, int midi, float gain) {
    LowPass a;
    LowPass b;
    double phase = 0.0;
    std::size_t start = Index(t);
    for (std::size_t i = 0; i < Index(length + 0.15); ++i) {
        double s = static_cast<double>(i) / kRate;
        // Vibrato comes in late, as a player would lean into a held note.
        double depth = s > 0.18 ? std::min(1.0, (s - 0.18) / 0.3) * 0.25 : 0.0;
        phase += MidiToHz(midi + depth * std::sin(kTwoPi * 5.3 * s)) / kRate;
        float square = (phase - std::floor(phase)) < 0.5 ? 0.6f : -0.6f;
        float raw = 0.6f * Saw(phase) + 0.4f * square;
        float v = b.Run(a.Run(raw, 2600.0), 3200.0);
        float decay = 0.8f + 0.2f * static_cast<float>(std::exp(-s / 0.15));
        mix.Add(start + i, gain * decay * Envelope(s, length, 0.015, 0.15) * v, 0.25f);
    }
}

void Drone(Mix& mix, double t, double length, int midi, float gain) {
    double hz = MidiToHz(midi);
    std::size_t start = Index(t);
    for (std::size_t i = 0; i < Index(length + 1.5); ++i) {
        double s = static_cast<double>(i) / kRate;
        float v =
            static_cast<float>(std::sin(kTwoPi * hz * s) + 0.35 * std::sin(kTwoPi * hz * 1.5 * s) +
                               0.2 * std::sin(kTwoPi * hz * 2.0 * s + 0.3 * std::sin(0.5 * s)));
        mix.Add(start + i, gain * Envelope(s, length, 2.0, 1.5) * v, 0.0f);
    }
}

} // namespace soundgen
