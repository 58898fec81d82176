// How close a frame of particle work (Update and Render submission, headless,
// where the device queues quads as a real screen does) comes to its memory
// floor: one plain pass over the same particle records that also writes each
// particle's quad.
//
//   particles-bench [--reps N] [--frames N] [--systems N]
#include "bench/common/BenchSupport.h"
#include "platform/engine/EngineOptions.h"
#include "toolkit/ParticleSystem.h"
#include "toolkit/Sprite.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

volatile double g_sink = 0;

// As many quads as the drawing back ends queue before they send a batch.
constexpr int kBatchQuads = 16384;

struct Config {
    int reps = 7;
    int frames = 20;
    int systems = 200;
};

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Settings that keep every particle alive and exercise every term of the
// update: speed, gravity, radial and tangential pushes, spin, size, colour.
ParticleSystemInfo BusyInfo(Sprite* sprite) {
    ParticleSystemInfo info;
    info.sprite = sprite;
    info.emission = 100000;
    info.lifetime = -1;
    info.particleLifeMin = info.particleLifeMax = 1e6f;
    info.spread = 6.28f;
    info.speedMin = 10;
    info.speedMax = 40;
    info.gravityMin = -5;
    info.gravityMax = 5;
    info.radialAccelMin = -3;
    info.radialAccelMax = 3;
    info.tangentialAccelMin = -2;
    info.tangentialAccelMax = 2;
    info.sizeStart = 1;
    info.sizeEnd = 0.5f;
    info.sizeVar = 0.5f;
    info.spinStart = 1;
    info.spinEnd = 2;
    info.colorStart = {1, 0.5f, 0.2f, 1};
    info.colorEnd = {0.2f, 0.2f, 1, 0};
    info.colorVar = 0.3f;
    info.alphaVar = 0.3f;
    return info;
}

// What a frame must at least do for each particle: read and write its
// record (as the update does) and write the four corners of its quad into a
// batch of the size the drawing back ends queue (as the submission does).
// Plain loops; the compiler is free to vectorise them.
void FloorPass(std::vector<Particle>& particles, std::vector<Vertex>& batch, float dt) {
    const std::size_t batchQuads = batch.size() / 4;
    std::size_t quad = 0;
    for (Particle& p : particles) {
        float* values = reinterpret_cast<float*>(&p);
        for (std::size_t i = 0; i < sizeof(Particle) / sizeof(float); ++i) {
            values[i] += values[i] * dt;
        }
        Vertex* v = &batch[quad * 4];
        const float h = p.size;
        const auto colour = static_cast<std::uint32_t>(p.age);
        v[0] = Vertex{p.x - h, p.y - h, 0.5f, colour, 0, 0};
        v[1] = Vertex{p.x + h, p.y - h, 0.5f, colour, 1, 0};
        v[2] = Vertex{p.x + h, p.y + h, 0.5f, colour, 1, 1};
        v[3] = Vertex{p.x - h, p.y + h, 0.5f, colour, 0, 1};
        quad = quad + 1 == batchQuads ? 0 : quad + 1;
    }
}

Config ParseArgs(int argc, char** argv) {
    Config config;
    bench::ReadCounts(
        argc, argv,
        {{"--reps", &config.reps}, {"--frames", &config.frames}, {"--systems", &config.systems}});
    return config;
}

} // namespace

int main(int argc, char** argv) {
    Config config = ParseArgs(argc, argv);
    EngineOptions options;
    options.headless = true;
    options.noDialogs = true;
    options.logFile =
        (std::filesystem::temp_directory_path() / "duskmaw-particles-bench.log").string();
    SetEngineOptions(options);
    Engine* engine = EngineCreate(ENGINE_VERSION);
    if (!engine || !engine->System_Initiate()) {
        std::fprintf(stderr, "particles-bench: the headless engine did not start\n");
        return 1;
    }

    Sprite sprite(engine->Texture_Create(32, 32), 0, 0, 32, 32);
    sprite.SetHotSpot(16, 16);
    std::vector<std::unique_ptr<ParticleSystem>> systems;
    for (int i = 0; i < config.systems; ++i) {
        systems.push_back(std::make_unique<ParticleSystem>(BusyInfo(&sprite)));
        systems.back()->FireAt(static_cast<float>(i % 20) * 50, static_cast<float>(i / 20) * 50);
        systems.back()->Update(0.01f); // fills all 500 slots
    }
    const float dt = 1.0f / 60;
    std::vector<Particle> floorData(static_cast<std::size_t>(config.systems) *
                                    ParticleSystem::kMaxParticles);
    std::vector<Vertex> floorBatch(static_cast<std::size_t>(kBatchQuads) * 4);
    for (std::size_t i = 0; i < floorData.size(); ++i) {
        floorData[i] = systems[i / ParticleSystem::kMaxParticles]->GetParticle(
            static_cast<int>(i % ParticleSystem::kMaxParticles));
    }

    std::vector<double> updateMs, renderMs, frameMs, floorMs;
    for (int rep = 0; rep < config.reps; ++rep) {
        double update = 0, render = 0;
        for (int f = 0; f < config.frames; ++f) {
            Clock::time_point start = Clock::now();
            for (auto& system : systems) {
                system->Update(dt);
            }
            update += MillisecondsSince(start);
            start = Clock::now();
            engine->Gfx_BeginScene();
            for (auto& system : systems) {
                system->Render();
            }
            engine->Gfx_EndScene();
            render += MillisecondsSince(start);
        }
        updateMs.push_back(update / config.frames);
        renderMs.push_back(render / config.frames);
        frameMs.push_back((update + render) / config.frames);

        Clock::time_point start = Clock::now();
        for (int f = 0; f < config.frames; ++f) {
            FloorPass(floorData, floorBatch, dt);
        }
        floorMs.push_back(MillisecondsSince(start) / config.frames);
    }

    int alive = 0;
    for (auto& system : systems) {
        alive += system->GetParticlesAlive();
    }
    double checksum = 0;
    for (const Particle& p : floorData) {
        checksum += p.x;
    }
    for (const Vertex& v : floorBatch) {
        checksum += v.y;
    }
    std::printf("figure particles_alive %d particles\n", alive);
    std::printf("figure particles_update %.3f ms/frame\n", bench::Median(updateMs));
    std::printf("figure particles_render %.3f ms/frame\n", bench::Median(renderMs));
    std::printf("figure particles_frame %.3f ms/frame\n", bench::Median(frameMs));
    std::printf("figure particles_floor %.3f ms/frame\n", bench::Median(floorMs));
    std::printf("ratio particles_frame_over_floor %.3f\n",
                bench::Median(frameMs) / bench::Median(floorMs));
    // Keeps the floor pass from being optimised away.
    g_sink = checksum;

    engine->System_Shutdown();
    engine->Release();
    return 0;
}
