// A scripted stand-in for the game around the sound manager: its clock, its
// slow motion and a random source that plays back a list of numbers.
#pragma once

#include "game/audio/AudioHost.h"
#include "game/audio/SoundManager.h"
#include "tests/platform/SoundTestFiles.h"
#include "tests/support/TestSupport.h"

#include <memory>
#include <vector>

namespace sound_test {

struct SlowMotion {
    float end;
    float factor;
};

class ScriptedHost : public AudioHost {
public:
    float ClockTime() override { return static_cast<float>(now); }
    void StartSlowMotion(float endTime, float slowFactor) override {
        slowMotions.push_back({endTime, slowFactor});
    }
    // Plays the script in order, then repeats its last number.
    int RandomInt(int, int) override {
        int n = draws < numbers.size() ? numbers[draws] : numbers.back();
        ++draws;
        return n;
    }

    double now = 0.0;
    std::vector<int> numbers{6};
    std::size_t draws = 0;
    std::vector<SlowMotion> slowMotions;
};

// A sound manager on the timed output, driven by the host's clock.
inline std::unique_ptr<SoundManager> MakeManager(ScriptedHost& host) {
    SoundSystemSetup setup;
    setup.output = SoundOutput::Timed;
    setup.clock = [&host] { return host.now; };
    auto manager = std::make_unique<SoundManager>(setup);
    manager->SetHost(&host);
    return manager;
}

} // namespace sound_test
