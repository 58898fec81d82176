// A small room of comb and all-pass filters, so the synthetic band sits in a
// space instead of in front of the ears.
#pragma once

#include "tools/soundgen/Mix.h"

namespace soundgen {

// wet: 0..1 share of the reverberated signal added back.
void AddReverb(Mix& mix, float wet, float roomSize);

} // namespace soundgen
