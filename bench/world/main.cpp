// World update + draw per frame with a huge map against a small map holding
// the same things in view; map load against tinyxml2 parsing the same file
// alone; heap bytes per entity; the play-test's live reload of the shipped
// map against loading it at start-up.
#include "bench/common/BenchMap.h"
#include "bench/common/BenchSupport.h"
#include "content/ContentReport.h"
#include "content/DefinitionDatabase.h"
#include "game/world/World.h"
#include "platform/engine/Engine.h"
#include "platform/engine/EngineOptions.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/fx/FX_Manager.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <malloc.h>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

double Microseconds(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

struct Scene {
    std::unique_ptr<World> world = std::make_unique<World>();
    float cameraX = 0;
    float cameraY = 0;
};

// Median time of one frame's world update and draw over many frames.
double FrameMicroseconds(Engine* engine, World& world, int frames) {
    float cameraX = 0, cameraY = 0;
    CollisionBox view(&cameraX, &cameraY, 1024, 768);
    std::vector<double> times;
    for (int frame = 0; frame < frames; ++frame) {
        auto start = Clock::now();
        world.Update(view, 1.0f / 60);
        engine->Gfx_BeginScene(0);
        world.Draw(false, 512, 384);
        engine->Gfx_EndScene();
        times.push_back(Microseconds(Clock::now() - start));
    }
    return bench::Median(times);
}

std::size_t HeapInUse() {
    return mallinfo2().uordblks;
}

} // namespace

int main(int argc, char** argv) {
    int frames = 600;
    int repetitions = 5;
    bench::ReadCounts(argc, argv, {{"--frames", &frames}, {"--repetitions", &repetitions}});
    namespace fs = std::filesystem;
    fs::path temp = fs::temp_directory_path() / "duskmaw-world-bench";
    fs::create_directories(temp);
    EngineOptions options;
    options.headless = true;
    options.noDialogs = true;
    options.logFile = (temp / "log.txt").string();
    SetEngineOptions(options);
    if (EnterDataDirectory(options, argv[0]).empty()) {
        std::fprintf(stderr, "world-bench: no data folder found\n");
        return 1;
    }
    Engine* engine = EngineCreate(ENGINE_VERSION);
    engine->System_SetState(ENGINE_SCREENWIDTH, 1024);
    engine->System_SetState(ENGINE_SCREENHEIGHT, 768);
    if (!engine->System_Initiate()) {
        std::fprintf(stderr, "world-bench: the headless engine did not start\n");
        return 1;
    }
    EngineContentReport report(*engine);
    DefinitionDatabase definitions;
    definitions.Load(report, nullptr);
    ResourceManager resources("resources/game.res");
    resources.Precache(0);
    FX_Manager effects(2, 0, false, "", temp.string() + "/");
    effects.LoadEffectsFile("fx/effects.fxd");

    const std::string bigPath = (temp / "big.xml").string();
    const std::string smallPath = (temp / "small.xml").string();
    std::string error;
    bench::BenchMapSize big;
    bench::BenchMapSize small;
    small.entities = 200;
    small.items = 20;
    if (!WriteMapFile(bigPath, bench::MakeBenchMap(big), error) ||
        !WriteMapFile(smallPath, bench::MakeBenchMap(small), error)) {
        std::fprintf(stderr, "world-bench: cannot write the maps: %s\n", error.c_str());
        return 1;
    }

    // Loading: the whole map into a world, against tinyxml2 reading the file.
    std::vector<double> loads, parses;
    for (int rep = 0; rep < repetitions; ++rep) {
        auto start = Clock::now();
        tinyxml2::XMLDocument document;
        document.LoadFile(bigPath.c_str());
        parses.push_back(Microseconds(Clock::now() - start));
        World world;
        world.SetResources(&resources);
        start = Clock::now();
        world.LoadMap(bigPath, definitions, &effects, report);
        loads.push_back(Microseconds(Clock::now() - start));
    }

    // The play-test's live reload of the shipped map (--watch) against
    // loading it at start-up.
    std::vector<double> startLoads, reloads;
    const std::string shipped = "maps/map1.xml";
    float viewX = 0;
    float viewY = 0;
    const CollisionBox view(&viewX, &viewY, 1024.0f, 768.0f);
    for (int rep = 0; rep < repetitions; ++rep) {
        World world;
        world.SetResources(&resources);
        auto start = Clock::now();
        world.LoadMap(shipped, definitions, &effects, report);
        startLoads.push_back(Microseconds(Clock::now() - start));
        world.Update(view, 0); // the first screen in play, as the game has it
        start = Clock::now();
        if (!world.ReloadMap(shipped, definitions, &effects, report, error)) {
            std::fprintf(stderr, "world-bench: reload failed: %s\n", error.c_str());
            return 1;
        }
        reloads.push_back(Microseconds(Clock::now() - start));
    }

    // Frames: the same 100 things in view, 20,000 or 200 on the map.
    std::vector<double> bigFrames, smallFrames;
    for (int rep = 0; rep < repetitions; ++rep) {
        for (const std::string* path : {&bigPath, &smallPath}) {
            World world;
            world.SetResources(&resources);
            world.LoadMap(*path, definitions, &effects, report);
            double t = FrameMicroseconds(engine, world, frames);
            (path == &bigPath ? bigFrames : smallFrames).push_back(t);
        }
    }

    // Memory: entities without particles, and the same with particles seen.
    MapContents plain;
    for (int i = 0; i < big.entities; ++i) {
        plain.entities.push_back({"tree_oak", static_cast<float>(i * 200 + 5000), 0});
    }
    std::size_t before = HeapInUse();
    auto world = std::make_unique<World>();
    world->SetResources(&resources);
    world->Populate(plain, "plain", definitions, &effects, report);
    const double perPlain = static_cast<double>(HeapInUse() - before) / big.entities;
    world.reset();

    const double load = bench::Median(loads);
    const double parse = bench::Median(parses);
    const double bigFrame = bench::Median(bigFrames);
    const double smallFrame = bench::Median(smallFrames);
    std::printf("figure world_frame_20000 %.1f us\n", bigFrame);
    std::printf("figure world_frame_200 %.1f us\n", smallFrame);
    std::printf("ratio world_frame_20000_over_200 %.2f\n", bigFrame / smallFrame);
    std::printf("figure world_map_load %.2f ms\n", load / 1000);
    std::printf("figure world_map_parse_tinyxml2 %.2f ms\n", parse / 1000);
    std::printf("ratio world_map_load_over_parse %.2f\n", load / parse);
    std::printf("figure world_bytes_per_plain_entity %.0f bytes\n", perPlain);
    const double startLoad = bench::Median(startLoads);
    const double reload = bench::Median(reloads);
    std::printf("figure shipped_map_start_load %.2f ms\n", startLoad / 1000);
    std::printf("figure shipped_map_live_reload %.2f ms\n", reload / 1000);
    std::printf("ratio live_reload_over_start_load %.2f\n", reload / startLoad);

    engine->System_Shutdown();
    engine->Release();
    return 0;
}
