#include "game/core/GameClock.h"
#include "platform/registry/Registry.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Sample {
    float time, slow, delta;
    int flash;
};

// Runs the clock update over headless frames of 0.04 s, calling setup first.
std::vector<Sample> RunClock(int frames, void (*setup)(GameClock&)) {
    Registry::Current().Reset();
    EngineOptions options;
    options.dt = 0.04;
    options.frames = frames;
    testing_support::HeadlessEngine engine(options);
    GameClock& clock = TheGameClock();
    setup(clock);
    std::vector<Sample> samples;
    engine->System_SetState(ENGINE_FRAMEFUNC, [&] {
        clock.Update();
        samples.push_back({clock.time, clock.slowFactor, clock.delta, clock.flashAlpha});
        return false;
    });
    engine->System_Start();
    Registry::Current().Reset();
    return samples;
}

} // namespace

TEST(GameClock, SlowMotionHoldsThenEasesBackByATenthEveryTenthOfASecond) {
    auto samples = RunClock(60, [](GameClock& c) {
        c.slowFactor = 2.0f;
        c.slowMotionEnd = 0.5f;
    });
    // Held while time < 0.5 s (frame k runs at 0.04 k): the delta is halved.
    EXPECT_FLOAT_EQ(samples[3].slow, 2.0f);
    EXPECT_NEAR(samples[3].delta, 0.02f, 1e-6);
    EXPECT_FLOAT_EQ(samples[11].slow, 2.0f); // t = 0.48
    // Then one step of 0.1 once more than 0.1 s has passed, down to exactly 1.
    EXPECT_NEAR(samples[12].slow, 1.9f, 1e-5); // t = 0.52
    EXPECT_NEAR(samples[14].slow, 1.9f, 1e-5); // t = 0.60
    EXPECT_NEAR(samples[15].slow, 1.8f, 1e-5); // t = 0.64
    EXPECT_NEAR(samples[18].slow, 1.7f, 1e-5); // t = 0.76
    EXPECT_FLOAT_EQ(samples.back().slow, 1.0f);
    EXPECT_NEAR(samples.back().delta, 0.04f, 1e-6);
}

TEST(GameClock, FlashFallsByFortyEveryTenthOfASecondToZero) {
    auto samples = RunClock(30, [](GameClock&) {});
    EXPECT_EQ(samples[1].flash, 255); // t = 0.08
    EXPECT_EQ(samples[2].flash, 215); // t = 0.12
    EXPECT_EQ(samples[4].flash, 215); // t = 0.20, not yet 0.1 after 0.12
    EXPECT_EQ(samples[5].flash, 175); // t = 0.24
    EXPECT_EQ(samples.back().flash, 0);
}
