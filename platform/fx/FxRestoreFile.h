// The saved state of an emitter at the start of its first interval, so a
// restart can jump there without simulating the lead-in again. Particles are
// stored relative to the emitter, so the file serves wherever it stands.
#pragma once

#include <string>

class FxEmitterState;

class FxRestoreFile {
public:
    // False (and the file left alone) when it cannot be written.
    static bool Save(const FxEmitterState& state, const std::string& path);
    // False, with the state untouched, unless the file holds a state of this
    // very emitter definition.
    static bool Load(FxEmitterState& state, const std::string& path);
};
