// The last steps before a file: loop wrapping, tape-stop slowing, loudness
// and peak control, fades, and the 16-bit WAV writer.
#pragma once

#include "tools/soundgen/Mix.h"

#include <string>

namespace soundgen {

// Folds everything past `seconds` back onto the start, so a loop's ringing
// tail sounds at its beginning, then cuts the mix to that length.
void WrapLoop(Mix& mix, double seconds);
// Cuts (or pads) the mix to exactly `seconds`.
void CutTo(Mix& mix, double seconds);
// Plays the mix back slowing from full speed to `endSpeed`, like a tape
// running down: pitch and tempo fall together.
Mix TapeStop(const Mix& mix, double endSpeed);
// Scales to the RMS level and soft-limits peaks below the ceiling (dBFS).
void Master(Mix& mix, double rmsDb, double ceilingDb);
void Fade(Mix& mix, double inSeconds, double outSeconds);
bool WriteWav(const Mix& mix, const std::string& path);

} // namespace soundgen
