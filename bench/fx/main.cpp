// What a particle of an authored effect costs to update and draw, against a
// particle of the toolkit's own particle systems, both on the game's own
// content and the headless engine.
//
//   fx-bench [--reps N] [--frames N] [--emitters N]
#include "bench/common/BenchSupport.h"
#include "toolkit/fx/FX_Emitter.h"
#include "toolkit/fx/FX_Manager.h"
#include "platform/engine/EngineOptions.h"
#include "toolkit/ParticleSystem.h"
#include "toolkit/Sprite.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Config {
    int reps = 21;
    int frames = 10;
    int emitters = 50;
};

Config ParseArgs(int argc, char** argv) {
    Config config;
    bench::ReadCounts(
        argc, argv,
        {{"--reps", &config.reps}, {"--frames", &config.frames}, {"--emitters", &config.emitters}});
    return config;
}

// The thread's own CPU time: on a shared machine wall time also counts the
// time other programs ran, and more of it the longer a measured run lasts.
double CpuNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

// Runs frames of work and returns nanoseconds per particle drawn.
template <typename Frame> double PerParticle(const Config& config, Frame& frame) {
    long particles = 0;
    double start = CpuNanoseconds();
    for (int f = 0; f < config.frames; ++f) {
        particles += frame();
    }
    return (CpuNanoseconds() - start) / static_cast<double>(std::max(1L, particles));
}

const char* const kEffects[] = {"Circle of Flame", "Inferno", "Blizzard",
                                "Earthquake",      "Tornado", "Will-o-Wisps",
                                "Drifting Mist",   "Embers",  "Magic Circle"};
const char* const kSystems[] = {"fx/torch.psi",      "fx/brazier.psi",     "fx/sparkle.psi",
                                "fx/enemy.psi",      "fx/projectile1.psi", "fx/shrine_fire.psi",
                                "fx/shrine_ice.psi", "fx/curse.psi",       "fx/glint.psi"};

} // namespace

int main(int argc, char** argv) {
    Config config = ParseArgs(argc, argv);
    EngineOptions options;
    options.headless = true;
    options.noDialogs = true;
    std::filesystem::path temp = std::filesystem::temp_directory_path() / "duskmaw-fx-bench";
    std::filesystem::create_directories(temp);
    options.logFile = (temp / "log.txt").string();
    SetEngineOptions(options);
    if (EnterDataDirectory(options, argv[0]).empty()) {
        std::fprintf(stderr, "fx-bench: no data folder found\n");
        return 1;
    }
    Engine* engine = EngineCreate(ENGINE_VERSION);
    if (!engine || !engine->System_Initiate()) {
        std::fprintf(stderr, "fx-bench: the headless engine did not start\n");
        return 1;
    }
    const float dt = 1.0f / 60;

    // The game's settings; every copy loops, as map effects do, so all stay live.
    auto manager = std::make_unique<FX_Manager>(2, 0, false, "", temp.string() + "/");
    if (!manager->LoadEffectsFile("fx/effects.fxd")) {
        std::fprintf(stderr, "fx-bench: fx/effects.fxd gave no effects\n");
        return 1;
    }
    std::vector<FX_Emitter*> emitters;
    for (int i = 0; i < config.emitters; ++i) {
        FX_Emitter* original = manager->EmitterByName(kEffects[i % 9]);
        FX_Emitter* copy = manager->GetEmitter(manager->Duplicate(original));
        copy->Move(static_cast<float>(i % 10) * 100, static_cast<float>(i / 10) * 100, 0);
        copy->SetState(FX_Emitter::kPlaying);
        Fx_SetLoopMode(copy->GetHandle(), 1);
        emitters.push_back(copy);
    }
    auto ourFrame = [&] {
        int drawn = 0;
        for (FX_Emitter* emitter : emitters) {
            emitter->Update(dt);
        }
        engine->Gfx_BeginScene();
        for (FX_Emitter* emitter : emitters) {
            drawn += emitter->Draw();
        }
        engine->Gfx_EndScene();
        return drawn;
    };

    auto sprite = std::make_unique<Sprite>(engine->Texture_Create(32, 32), 0, 0, 32, 32);
    sprite->SetHotSpot(16, 16);
    std::vector<std::unique_ptr<ParticleSystem>> systems;
    for (int i = 0; i < config.emitters; ++i) {
        systems.push_back(std::make_unique<ParticleSystem>(kSystems[i % 9], sprite.get()));
        systems.back()->FireAt(static_cast<float>(i % 10) * 100, static_cast<float>(i / 10) * 100);
    }
    auto theirFrame = [&] {
        int drawn = 0;
        for (auto& system : systems) {
            system->Update(dt);
        }
        engine->Gfx_BeginScene();
        for (auto& system : systems) {
            system->Render();
            drawn += system->GetParticlesAlive();
        }
        engine->Gfx_EndScene();
        return drawn;
    };

    long ours = 0, theirs = 0;
    for (int i = 0; i < 120; ++i) { // settle both into a steady state
        ours = ourFrame();
        theirs = theirFrame();
    }
    // Alternate the two so a busy machine slows both alike.
    std::vector<double> oursRuns, theirsRuns;
    for (int rep = 0; rep < config.reps; ++rep) {
        oursRuns.push_back(PerParticle(config, ourFrame));
        theirsRuns.push_back(PerParticle(config, theirFrame));
    }
    double oursNs = bench::Median(oursRuns), theirsNs = bench::Median(theirsRuns);
    for (FX_Emitter* emitter : emitters) {
        delete emitter;
    }
    systems.clear();
    manager.reset();
    sprite.reset();
    std::printf("figure fx_emitters %d emitters\n", config.emitters);
    std::printf("figure fx_particles %ld particles\n", ours);
    std::printf("figure fx_per_particle %.1f ns\n", oursNs);
    std::printf("figure particlesystem_particles %ld particles\n", theirs);
    std::printf("figure particlesystem_per_particle %.1f ns\n", theirsNs);
    std::printf("ratio fx_over_particlesystem_per_particle %.3f\n", oursNs / theirsNs);
    engine->System_Shutdown();
    engine->Release();
    return 0;
}
