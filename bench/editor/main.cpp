// The editor headless on a map of 20,000 placements with 100 in view,
// against the same view on a map of 200: what a frame costs more for the
// placements off screen; the same with effects playing, 2,000 against 200.
// Then saving that map against tinyxml2 printing the
// same document on its own.
#include "bench/common/BenchSupport.h"
#include "content/ContentReport.h"
#include "content/MapFile.h"
#include "editor/Editor.h"
#include "editor/EditorDefinitions.h"
#include "editor/EditorMapFile.h"
#include "editor/EditorWorld.h"
#include "platform/engine/EngineOptions.h"
#include "platform/registry/Registry.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kInView = 100;
constexpr int kRepetitions = 7;

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// 100 crates (or effects) spread over the first screen, the rest barrels
// (or effects) far to the right, in rows.
std::string MakeMap(int placements, bool effects = false) {
    std::string xml = "<?xml version=\"1.0\"?>\n<map name=\"Bench\">\n";
    char line[128];
    for (int i = 0; i < placements; ++i) {
        int x, y;
        const char* name = "crate";
        if (i < kInView) {
            x = 220 + (i % 10) * 80;
            y = 60 + (i / 10) * 70;
        } else {
            const int far = i - kInView;
            x = 4000 + (far % 200) * 48;
            y = (far / 200) * 48;
            name = "barrel";
        }
        if (effects) {
            // Effects are 350 x 350: spaced so that only the first 100 touch
            // the view.
            x = i < kInView ? x : 4000 + (i - kInView) % 200 * 400;
            y = i < kInView ? y : (i - kInView) / 200 * 400;
            std::snprintf(line, sizeof line, "    <effect x=\"%d\" y=\"%d\" fx_name=\"Embers\"/>\n",
                          x, y);
        } else {
            std::snprintf(line, sizeof line, "    <entity x=\"%d\" y=\"%d\" ent_name=\"%s\"/>\n", x,
                          y, name);
        }
        xml += line;
    }
    return xml + "</map>\n";
}

// Seconds for the whole run of the editor over that many frames.
double RunEditor(const std::string& map, int frames, const std::string& dir) {
    EngineOptions options;
    options.headless = true;
    options.noDialogs = true;
    options.frames = frames;
    options.mapFile = map;
    options.logFile = dir + "/log.txt";
    SetEngineOptions(options);
    const auto start = std::chrono::steady_clock::now();
    Editor* editor = new Editor();
    const double seconds = Seconds(std::chrono::steady_clock::now() - start);
    // What holds the engine goes, so the next run starts a fresh one.
    Registry::Current().Reset();
    delete editor;
    return seconds;
}

// The cost of one more frame: the median over repetitions of the
// difference between a long and a short run (start-up cancels out).
double FrameCost(const std::string& map, const std::string& dir, int kLong = 1230) {
    constexpr int kShort = 30;
    std::vector<double> costs;
    for (int rep = 0; rep < kRepetitions; ++rep) {
        const double shortRun = RunEditor(map, kShort, dir);
        const double longRun = RunEditor(map, kLong, dir);
        costs.push_back((longRun - shortRun) / (kLong - kShort));
    }
    return bench::Median(costs);
}

struct QuietReport : ContentReport {
    void CannotLoad(const std::string& path) override {
        std::fprintf(stderr, "cannot load %s\n", path.c_str());
    }
    void Problem(const std::string&, int, const std::string&) override {}
};

} // namespace

int main(int argc, char** argv) {
    int placements = 20000;
    bench::ReadCounts(argc, argv, {{"--placements", &placements}});
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "duskmaw-editor-bench";
    fs::create_directories(dir);
    const std::string big = (dir / "big.xml").string();
    const std::string small = (dir / "small.xml").string();
    std::ofstream(big) << MakeMap(placements);
    std::ofstream(small) << MakeMap(2 * kInView);
    fs::current_path(DUSKMAW_DATA_DIR);

    const double bigFrame = FrameCost(big, dir.string());
    const double smallFrame = FrameCost(small, dir.string());
    std::printf("figure editor_frame_%d %.2f us\n", placements, bigFrame * 1e6);
    std::printf("figure editor_frame_%d %.2f us\n", 2 * kInView, smallFrame * 1e6);
    std::printf("ratio editor_frame_%d_over_%d %.3f\n", placements, 2 * kInView,
                bigFrame / smallFrame);

    // Effects playing: 2,000 placed (100 in view) against 200.
    const std::string bigFx = (dir / "big-fx.xml").string();
    const std::string smallFx = (dir / "small-fx.xml").string();
    std::ofstream(bigFx) << MakeMap(2000, true);
    std::ofstream(smallFx) << MakeMap(2 * kInView, true);
    const double bigFxFrame = FrameCost(bigFx, dir.string(), 330);
    const double smallFxFrame = FrameCost(smallFx, dir.string(), 330);
    std::printf("figure editor_frame_2000_effects %.2f us\n", bigFxFrame * 1e6);
    std::printf("figure editor_frame_200_effects %.2f us\n", smallFxFrame * 1e6);
    std::printf("ratio editor_frame_2000_over_200_effects %.3f\n", bigFxFrame / smallFxFrame);

    // Saving: the editor's whole save against printing the same document.
    QuietReport report;
    EditorDefinitions definitions;
    definitions.Load(report);
    EditorWorld world;
    if (!LoadMap(world, big, definitions, report).Loaded()) {
        return 1;
    }
    tinyxml2::XMLDocument document;
    BuildMapDocument(MapOfWorld(world), document);
    const std::string saved = (dir / "saved.xml").string();
    const std::string printed = (dir / "printed.xml").string();
    std::vector<double> saves, prints;
    for (int rep = 0; rep < 9; ++rep) {
        std::string error;
        auto start = std::chrono::steady_clock::now();
        if (!SaveMap(world, saved, error)) {
            std::fprintf(stderr, "save failed: %s\n", error.c_str());
            return 1;
        }
        saves.push_back(Seconds(std::chrono::steady_clock::now() - start));
        start = std::chrono::steady_clock::now();
        document.SaveFile(printed.c_str());
        prints.push_back(Seconds(std::chrono::steady_clock::now() - start));
    }
    const double save = bench::Median(saves);
    const double print = bench::Median(prints);
    std::printf("figure editor_save_%d %.3f ms\n", placements, save * 1e3);
    std::printf("figure tinyxml2_print_%d %.3f ms\n", placements, print * 1e3);
    std::printf("ratio editor_save_over_print %.3f\n", save / print);
    return 0;
}
