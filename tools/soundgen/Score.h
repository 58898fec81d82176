// The musical material every track shares: D minor at 100 BPM, the chord
// cycle Dm - Bb - Gm - A, the bass ostinato, the drum pattern and the lead
// melody. Bars are counted from 0; bar b starts at b * kBar seconds.
#pragma once

#include "tools/soundgen/Mix.h"

#include <vector>

namespace soundgen {

constexpr double kBeat = 0.6; // 100 BPM
constexpr double kBar = 4 * kBeat;
constexpr double kStep = kBeat / 4; // a sixteenth

struct Chord {
    int bassRoot;
    std::vector<int> pad;
};

// Bar b of the four-bar cycle.
const Chord& ChordOfBar(int bar);

// How busy the drums are: Sparse (big drum on the beats), Groove, Full
// (sixteenth small drums), Fill (a roll into the next bar).
enum class Drums { Sparse, Groove, Full, Fill };

void DrumBar(Mix& mix, int bar, Drums style, float gain);
void BassBar(Mix& mix, int bar, float gain);
void PadBar(Mix& mix, int bar, float gain);
// The eight-bar lead melody starting at firstBar, shifted by semitones.
void Melody(Mix& mix, int firstBar, int transpose, float gain);

} // namespace soundgen
