// Parses and precaches a generated resource script of 10,000 sprites over
// one texture, and compares that with just reading the script's bytes.
#include "bench/common/BenchSupport.h"
#include "platform/engine/Engine.h"
#include "platform/engine/EngineOptions.h"
#include "toolkit/ResourceManager.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kSprites = 10000;
constexpr int kRepetitions = 9;

// A 4 x 2 PNG; every sprite draws from it.
const unsigned char kPng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06, 0x00, 0x00, 0x00, 0x7f,
    0xa8, 0x7d, 0x63, 0x00, 0x00, 0x00, 0x12, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0xf8,
    0xcf, 0xc0, 0xf0, 0x1f, 0x19, 0x33, 0xa0, 0x0b, 0x00, 0x00, 0x0f, 0x21, 0x0f, 0xf1, 0x04,
    0x37, 0xc6, 0x9f, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

std::string MakeScript() {
    std::string script = "; generated\nTexture atlas { filename = atlas.png }\n";
    char line[256];
    for (int i = 0; i < kSprites; ++i) {
        std::snprintf(line, sizeof line,
                      "Sprite s%05d { texture = atlas rect = %d, %d, 32, 32 hotspot = 16, 16\n"
                      "  blendmode = COLORADD, ALPHABLEND color = FF804020 zorder = 0.5 }\n",
                      i, (i % 32) * 32, (i / 32 % 32) * 32);
        script += line;
    }
    return script;
}

double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

int main() {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / "duskmaw-resources-bench";
    fs::create_directories(dir);
    fs::current_path(dir);
    std::ofstream("atlas.png", std::ios::binary)
        .write(reinterpret_cast<const char*>(kPng), sizeof kPng);
    std::ofstream("bench.res", std::ios::binary) << MakeScript();

    EngineOptions options;
    options.headless = true;
    options.noDialogs = true;
    options.logFile = (dir / "log.txt").string();
    SetEngineOptions(options);
    Engine* engine = EngineCreate(ENGINE_VERSION);
    engine->System_SetState(ENGINE_SCREENWIDTH, 800);
    engine->System_SetState(ENGINE_SCREENHEIGHT, 600);
    if (!engine->System_Initiate()) {
        std::fprintf(stderr, "engine: %s\n", engine->System_GetErrorMessage().c_str());
        return 1;
    }

    std::vector<double> reads, parses, loads;
    std::uint32_t bytes = 0;
    for (int rep = 0; rep < kRepetitions; ++rep) {
        auto start = std::chrono::steady_clock::now();
        void* data = engine->Resource_Load("bench.res", &bytes);
        engine->Resource_Free(data);
        reads.push_back(Milliseconds(std::chrono::steady_clock::now() - start));

        start = std::chrono::steady_clock::now();
        auto manager = std::make_unique<ResourceManager>("bench.res");
        auto parsed = std::chrono::steady_clock::now();
        bool ok = manager->Precache(0);
        auto end = std::chrono::steady_clock::now();
        parses.push_back(Milliseconds(parsed - start));
        loads.push_back(Milliseconds(end - start));
        ok = ok && manager->GetSprite("s09999");
        manager.reset();
        if (!ok) {
            std::fprintf(stderr, "precache failed\n");
            return 1;
        }
    }
    double read = bench::Median(reads);
    double load = bench::Median(loads);
    std::printf("figure resources_script_bytes %u bytes\n", bytes);
    std::printf("figure resources_read %.3f ms\n", read);
    std::printf("figure resources_parse %.3f ms\n", bench::Median(parses));
    std::printf("figure resources_parse_precache %.3f ms\n", load);
    std::printf("ratio resources_parse_precache_over_read %.2f\n", read > 0 ? load / read : 0.0);

    engine->System_Shutdown();
    engine->Release();
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(dir);
    return 0;
}
