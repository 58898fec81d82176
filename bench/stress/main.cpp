// The real game, headless, on a stress scene: the 20,000-entity bench map,
// 300 live enemies of every kind and 100 spells in flight, kept at those
// counts every frame. Measures the frame and render functions together
// against the 60 Hz budget and against simulating the scene's particle
// systems alone.
#include "bench/common/BenchMap.h"
#include "bench/common/BenchSupport.h"
#include "content/DefinitionDatabase.h"
#include "content/MapFile.h"
#include "game/actors/EnemyManager.h"
#include "game/actors/Player.h"
#include "game/actors/SpellManager.h"
#include "game/actors/enemies/Aggrevator.h"
#include "game/actors/enemies/Mage.h"
#include "game/actors/enemies/Minion_Soul.h"
#include "game/core/Game.h"
#include "game/world/MapEntity.h"
#include "game/world/World.h"
#include "platform/engine/Engine.h"
#include "platform/engine/EngineOptions.h"
#include "toolkit/ParticleSystem.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kEnemies = 300;
constexpr std::size_t kSpells = 100;
constexpr float kDt = 1.0f / 60;

double Microseconds(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

// Keeps the scene at its counts from the frame-end hook, and times the
// stretch between two hooks: the engine's frame, render and its own loop
// bookkeeping, with the hook's own work left out.
class StressScene {
public:
    StressScene(Engine& engine, int warmup) : m_engine(engine), m_warmup(warmup) {}

    bool OnFrameEnd() {
        const Clock::time_point start = Clock::now();
        const int frame = m_engine.System_GetFrame();
        if (frame > m_warmup) {
            m_frames.push_back(Microseconds(start - m_lastEnd));
        }
        if (!m_group) {
            // A group that never spawns by itself and lets every kind in.
            EnemyManager& enemies = TheEnemyManager();
            enemies.AddGroup(0, 1e9f, 500.0f, 1e9f, 1e9f, 2.5f);
            m_group = enemies.Groups().back().get();
            m_group->maxAggrevators = m_group->maxMages = kEnemies;
        }
        ThePlayer().health = 1e9f;
        TopUpEnemies();
        TopUpSpells();
        m_lastEnd = Clock::now();
        return false;
    }

    // The scene's particle systems as they are now, copied.
    std::vector<std::unique_ptr<ParticleSystem>> CopyParticles() const {
        std::vector<std::unique_ptr<ParticleSystem>> copies;
        auto copy = [&copies](const ParticleSystem& system) {
            float x = 0, y = 0;
            system.GetPosition(&x, &y);
            copies.push_back(std::make_unique<ParticleSystem>(system.GetInfo()));
            copies.back()->FireAt(x, y);
        };
        for (const auto& enemy : TheEnemyManager().Enemies()) {
            if (const ParticleSystem* system = enemy->Particles()) {
                copy(*system);
            }
        }
        for (const auto& spell : TheSpellManager().Instances()) {
            if (const ParticleSystem* system = spell->Trail()) {
                copy(*system);
            }
        }
        for (MapEntity* entity : TheWorld().ActiveEntities()) {
            if (const ParticleSystem* system = entity->Particles()) {
                copy(*system);
            }
        }
        return copies;
    }

    int LiveParticles() const {
        int live = 0;
        for (const auto& enemy : TheEnemyManager().Enemies()) {
            live += enemy->Particles() ? enemy->Particles()->GetParticlesAlive() : 0;
        }
        for (const auto& spell : TheSpellManager().Instances()) {
            live += spell->Trail() ? spell->Trail()->GetParticlesAlive() : 0;
        }
        for (MapEntity* entity : TheWorld().ActiveEntities()) {
            live += entity->Particles() ? entity->Particles()->GetParticlesAlive() : 0;
        }
        return live;
    }

    const std::vector<double>& Frames() const { return m_frames; }

private:
    void TopUpEnemies() {
        EnemyManager& enemies = TheEnemyManager();
        const Player& player = ThePlayer();
        while (static_cast<int>(enemies.Enemies().size()) < kEnemies) {
            const float a = static_cast<float>(m_spawned) * 2.399f;
            const float r = 120.0f + static_cast<float>((m_spawned * 37) % 380);
            const float x = player.x + r * std::cos(a);
            const float y = player.y + r * std::sin(a);
            switch (m_spawned++ % 3) {
            case 0:
                enemies.AddEnemy(std::make_unique<Minion_Soul>(x, y, m_group));
                break;
            case 1:
                enemies.AddEnemy(std::make_unique<Aggrevator>(x, y, m_group));
                break;
            default:
                enemies.AddEnemy(std::make_unique<Mage>(x, y, m_group));
                break;
            }
        }
    }

    void TopUpSpells() {
        SpellManager& spells = TheSpellManager();
        const auto& combinations = spells.Definitions().Combinations();
        if (combinations.empty()) {
            return;
        }
        const Player& player = ThePlayer();
        while (spells.Instances().size() < kSpells) {
            spells.fire = spells.ice = spells.earth = spells.wind = 1e6f;
            auto it = combinations.begin();
            std::advance(it, m_cast++ % combinations.size());
            const std::size_t before = spells.Instances().size();
            spells.Cast(player.x, player.y, static_cast<float>((m_cast * 47) % 360), it->first);
            if (spells.Instances().size() == before && m_cast > 10 * combinations.size()) {
                return; // nothing castable: measure what there is
            }
        }
    }

    Engine& m_engine;
    int m_warmup;
    EnemyGroup* m_group = nullptr;
    int m_spawned = 0;
    std::size_t m_cast = 0;
    Clock::time_point m_lastEnd = Clock::now();
    std::vector<double> m_frames;
};

// Median time of one frame of simulating the copies alone, after a warm-up
// that fills them as the game's own systems were filled.
double SimulationMicroseconds(std::vector<std::unique_ptr<ParticleSystem>>& systems, int frames) {
    for (int i = 0; i < 120; ++i) {
        for (auto& system : systems) {
            system->Update(kDt);
        }
    }
    std::vector<double> times;
    for (int frame = 0; frame < frames; ++frame) {
        const Clock::time_point start = Clock::now();
        for (auto& system : systems) {
            system->Update(kDt);
        }
        times.push_back(Microseconds(Clock::now() - start));
    }
    return bench::Median(times);
}

} // namespace

int main(int argc, char** argv) {
    int frames = 600;
    int warmup = 120;
    bench::ReadCounts(argc, argv, {{"--frames", &frames}, {"--warmup", &warmup}});
    namespace fs = std::filesystem;
    const fs::path temp = fs::temp_directory_path() / "duskmaw-stress-bench";
    fs::create_directories(temp);
    const std::string mapPath = (temp / "stress.xml").string();
    std::string error;
    if (!WriteMapFile(mapPath, bench::MakeBenchMap(bench::BenchMapSize{}), error)) {
        std::fprintf(stderr, "stress-bench: cannot write the map: %s\n", error.c_str());
        return 1;
    }

    EngineOptions options;
    options.headless = true;
    options.noDialogs = true;
    options.seed = 1;
    options.frames = warmup + frames + 1;
    options.logFile = (temp / "log.txt").string();
    options.mapFile = mapPath;
    SetEngineOptions(options);
    if (EnterDataDirectory(options, argv[0]).empty()) {
        std::fprintf(stderr, "stress-bench: no data folder found\n");
        return 1;
    }
    // The process's engine: the game takes the same one and sets its frame
    // and render functions; the frame-end hook is ours.
    Engine* engine = EngineCreate(ENGINE_VERSION);
    StressScene scene(*engine, warmup);
    engine->System_SetState(ENGINE_FRAMEENDFUNC, [&scene] { return scene.OnFrameEnd(); });
    int liveParticles = 0;
    std::vector<std::unique_ptr<ParticleSystem>> copies;
    {
        Game game;
        liveParticles = scene.LiveParticles();
        copies = scene.CopyParticles();
    }
    if (scene.Frames().empty()) {
        std::fprintf(stderr, "stress-bench: the game ran no frames (see %s)\n",
                     options.logFile.c_str());
        engine->Release();
        return 1;
    }
    const double frame = bench::Median(scene.Frames());
    const double simulation = SimulationMicroseconds(copies, frames);
    std::printf("figure stress_frame %.1f us (%d enemies, %zu spells, %d live particles)\n", frame,
                static_cast<int>(TheEnemyManager().Enemies().size()),
                TheSpellManager().Instances().size(), liveParticles);
    int copiedParticles = 0;
    for (const auto& system : copies) {
        copiedParticles += system->GetParticlesAlive();
    }
    std::printf("figure stress_particle_simulation %.1f us (%zu systems, %d live particles)\n",
                simulation, copies.size(), copiedParticles);
    std::printf("ratio stress_frame_over_60hz_budget %.3f\n", frame / (1e6 / 60));
    std::printf("ratio stress_frame_over_particle_simulation %.2f\n", frame / simulation);
    copies.clear();
    engine->Release();
    return 0;
}
