// Times one step of the screen ripple (the 128 x 128 wave simulation and
// the mesh update) against the floor: one plain pass that reads and writes
// the same three grids. Headless.
//   ripple-bench [--reps N] [--steps N]
#include "bench/common/BenchSupport.h"
#include "game/core/GameClock.h"
#include "game/core/ScreenEffects.h"
#include "platform/engine/Engine.h"
#include "platform/engine/EngineOptions.h"
#include "platform/registry/Registry.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kCells = ScreenEffects::kGrid * ScreenEffects::kGrid;

double NanosecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count();
}

// The least a step must do: read and write every cell of three grids.
struct Floor {
    std::array<float, kCells> a{}, b{}, c{};
    void Pass(float dt) {
        for (int i = 0; i < kCells; ++i) {
            a[i] = b[i] + c[i];
            b[i] += a[i] * dt;
            c[i] *= 1 - dt;
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    int reps = 15, steps = 200;
    bench::ReadCounts(argc, argv, {{"--reps", &reps}, {"--steps", &steps}});
    EngineOptions options;
    options.headless = true;
    options.logFile =
        (std::filesystem::temp_directory_path() / "duskmaw-ripple-bench.log").string();
    SetEngineOptions(options);
    Engine* engine = EngineCreate(ENGINE_VERSION);
    engine->System_SetState(ENGINE_SCREENWIDTH, 1024);
    engine->System_SetState(ENGINE_SCREENHEIGHT, 768);
    engine->System_Initiate();

    ScreenEffects& effects = TheScreenEffects();
    GameClock& clock = TheGameClock();
    clock.delta = 1.0f / 60;
    Floor floor;
    std::vector<double> stepNs, floorNs;
    for (int r = 0; r < reps; ++r) {
        clock.time = 0;
        effects.Ripple(512, 384);
        auto start = Clock::now();
        for (int s = 0; s < steps; ++s) {
            clock.time += clock.delta;
            effects.Step();
        }
        stepNs.push_back(NanosecondsSince(start) / steps);
        start = Clock::now();
        for (int s = 0; s < steps; ++s) {
            floor.Pass(clock.delta);
        }
        floorNs.push_back(NanosecondsSince(start) / steps);
    }
    // Keep the floor's work observable.
    volatile float sink = floor.a[kCells / 2] + effects.Height(64, 64);
    (void)sink;

    const double step = bench::Median(stepNs), plain = bench::Median(floorNs);
    std::printf("figure ripple_step %.1f us\n", step / 1000);
    std::printf("figure ripple_floor %.1f us\n", plain / 1000);
    std::printf("ratio ripple_step_over_floor %.3f\n", step / plain);
    Registry::Current().Reset();
    engine->System_Shutdown();
    engine->Release();
    return 0;
}
