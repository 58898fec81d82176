// The band: low taiko-like drums, a small high drum, a bass, a dark pad, a
// lead and a drone. Each call adds one note to the mix at time t (seconds).
#pragma once

#include "tools/soundgen/Mix.h"

#include <vector>

namespace soundgen {

double MidiToHz(double midi);

void Taiko(Mix& mix, double t, float gain, float pitch, float pan);
void Shime(Mix& mix, double t, float gain, float pan);
void Bass(Mix& mix, double t, double length, int midi, float gain);
void Pad(Mix& mix, double t, double length, const std::vector<int>& midis, float gain);
void Lead(Mix& mix, double t, double length, int midi, float gain);
void Drone(Mix& mix, double t, double length, int midi, float gain);

} // namespace soundgen
