#include "tools/soundgen/Score.h"

#include "tools/soundgen/Instruments.h"

#include <array>

namespace soundgen {
namespace {

const std::array<Chord, 4> kCycle = {{
    {38, {50, 53, 57}}, // D minor
    {34, {50, 53, 58}}, // B flat
    {31, {50, 55, 58}}, // G minor
    {33, {49, 52, 57}}, // A major, the dominant that pulls back home
}};

struct Note {
    double beat;
    double length;
    int midi;
};

// Eight bars over the chord cycle twice; the second half climbs higher.
const std::vector<Note> kMelody = {
    {0, 1.5, 69},    {1.5, 0.5, 74},  {2, 1, 77},  {3, 0.5, 76},  {3.5, 0.5, 74},  {4, 1.5, 77},
    {5.5, 0.5, 74},  {6, 2, 70},      {8, 1, 67},  {9, 1, 70},    {10, 1.5, 74},   {11.5, 0.5, 72},
    {12, 1.5, 73},   {13.5, 0.5, 76}, {14, 2, 69}, {16, 1, 74},   {17, 1, 77},     {18, 1.5, 81},
    {19.5, 0.5, 79}, {20, 1, 77},     {21, 1, 74}, {22, 0.5, 77}, {22.5, 0.5, 79}, {23, 1, 77},
    {24, 1.5, 82},   {25.5, 0.5, 81}, {26, 1, 79}, {27, 0.5, 77}, {27.5, 0.5, 76}, {28, 1, 76},
    {29, 1, 73},     {30, 1.5, 69},
};

double BarStart(int bar) {
    return bar * kBar;
}

} // namespace

const Chord& ChordOfBar(int bar) {
    return kCycle[static_cast<std::size_t>(bar % 4)];
}

void DrumBar(Mix& mix, int bar, Drums style, float gain) {
    double t0 = BarStart(bar);
    // Big drum: the downbeat, a push before beat 3, beat 3, and beat 4.
    const std::array<std::pair<int, float>, 5> big = {
        {{0, 1.0f}, {6, 0.55f}, {8, 0.85f}, {12, 0.7f}, {14, 0.45f}}};
    if (style == Drums::Sparse) {
        Taiko(mix, t0, gain, 1.0f, -0.1f);
        Taiko(mix, t0 + 2 * kBeat, gain * 0.75f, 1.0f, 0.1f);
        return;
    }
    for (auto [step, level] : big) {
        Taiko(mix, t0 + step * kStep, gain * level, step == 0 ? 0.95f : 1.08f, -0.15f);
    }
    for (int step = 0; step < 16; ++step) {
        bool accent = step % 4 == 2;
        if (style == Drums::Groove && step % 2 == 1) {
            continue;
        }
        float level = accent ? 0.5f : 0.25f;
        if (style == Drums::Fill && step >= 8) {
            level = 0.3f + 0.05f * static_cast<float>(step - 8);
            Taiko(mix, t0 + step * kStep, gain * (0.3f + 0.06f * static_cast<float>(step - 8)),
                  1.2f, 0.2f);
        }
        Shime(mix, t0 + step * kStep, gain * level, 0.35f);
    }
}

void BassBar(Mix& mix, int bar, float gain) {
    const std::array<int, 8> pattern = {0, 0, 12, 0, 7, 0, 12, 7};
    int root = ChordOfBar(bar).bassRoot;
    for (int i = 0; i < 8; ++i) {
        float accent = i == 0 ? 1.0f : (i % 2 == 0 ? 0.8f : 0.65f);
        Bass(mix, BarStart(bar) + i * 2 * kStep, 2 * kStep * 0.8, root + pattern[i], gain * accent);
    }
}

void PadBar(Mix& mix, int bar, float gain) {
    Pad(mix, BarStart(bar), kBar - 0.1, ChordOfBar(bar).pad, gain);
}

void Melody(Mix& mix, int firstBar, int transpose, float gain) {
    for (const Note& note : kMelody) {
        Lead(mix, BarStart(firstBar) + note.beat * kBeat, note.length * kBeat * 0.92,
             note.midi + transpose, gain);
    }
}

} // namespace soundgen
