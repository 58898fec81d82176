// The stand-in host until the game plugs in its own: engine time and random
// numbers; slow motion has no clock to act on, so it is only logged.
#pragma once

#include "game/audio/AudioHost.h"

class Engine;

class EngineAudioHost : public AudioHost {
public:
    explicit EngineAudioHost(Engine* engine) : m_engine(engine) {}

    float ClockTime() override;
    void StartSlowMotion(float endTime, float slowFactor) override;
    int RandomInt(int min, int max) override;

private:
    Engine* m_engine;
};
