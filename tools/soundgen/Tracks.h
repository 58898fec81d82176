// Each of the game's music tracks, composed from the shared score.
#pragma once

#include "tools/soundgen/Mix.h"

#include <string>

namespace soundgen {

// Renders and masters the named track; false for an unknown name.
bool RenderTrack(const std::string& name, Mix& out);
// The names RenderTrack knows, for the usage text.
const char* TrackNames();

} // namespace soundgen
