// The game's side of the sound manager's seam: its clock, slow motion on
// that clock, and the engine's random numbers.
#pragma once

#include "game/audio/AudioHost.h"

class GameAudioHost final : public AudioHost {
public:
    float ClockTime() override;
    void StartSlowMotion(float endTime, float slowFactor) override;
    int RandomInt(int min, int max) override;
};
