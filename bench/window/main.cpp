// The real game in a real 1024 x 768 window, frame cap and vertical sync
// off, playing the first frames of the scripted tour. Measures the
// wall-clock time of every frame (from one frame's end to the next, drawing
// and presenting included), the time from start to the first presented
// frame and the peak resident memory. Needs an X display (bench/run-all
// provides a virtual one).
//   window-bench [--frames N]
#include "bench/common/BenchSupport.h"
#include "game/core/Game.h"
#include "platform/engine/Engine.h"
#include "platform/engine/EngineOptions.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#if defined(__unix__)
#include <sys/resource.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// The frame a player misses at 120 Hz.
constexpr double kBudgetMs = 1000.0 / 120;

double PeakResidentMegabytes() {
#if defined(__unix__)
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) == 0) {
        return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
    }
#endif
    return 0;
}

double Percentile(std::vector<double> values, double fraction) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    return values[at];
}

} // namespace

int main(int argc, char** argv) {
    const Clock::time_point start = Clock::now();
    int frames = 3000;
    bench::ReadCounts(argc, argv, {{"--frames", &frames}});
    namespace fs = std::filesystem;
    const fs::path temp = fs::temp_directory_path() / "duskmaw-window-bench";
    fs::remove_all(temp);
    fs::create_directories(temp);
    // Nothing of the run goes to the user's own folders.
    setenv("XDG_STATE_HOME", (temp / "state").c_str(), 1);
    setenv("SDL_AUDIODRIVER", "dummy", 0);

    EngineOptions options;
    options.noDialogs = true;
    options.seed = 1;
    options.frames = frames;
    options.logFile = (temp / "log.txt").string();
    // Settings pinned the way a recording pins them, over the content
    // folder's: the bench's window, no frame cap, no waiting for the screen,
    // no session recording.
    for (const auto& [key, value] : {std::pair{"w", "1024"},
                                     {"h", "768"},
                                     {"Fullscreen", "0"},
                                     {"fps", "0"},
                                     {"vsync", "0"},
                                     {"record", "0"}}) {
        options.replay.settings[RecordingSettingKey("CONFIGS", key)] = value;
    }
    SetEngineOptions(options);
    const std::string data = EnterDataDirectory(options, argv[0]);
    if (data.empty()) {
        std::fprintf(stderr, "window-bench: no data folder found\n");
        return 1;
    }
    options.inputFile = (fs::path(data).parent_path() / "tools" / "demo" / "tour.input").string();
    if (!fs::exists(options.inputFile)) {
        std::fprintf(stderr, "window-bench: no tour script at %s\n", options.inputFile.c_str());
        return 1;
    }
    SetEngineOptions(options);

    std::vector<Clock::time_point> ends;
    ends.reserve(static_cast<std::size_t>(frames));
    Engine* engine = EngineCreate(ENGINE_VERSION);
    engine->System_SetState(ENGINE_FRAMEENDFUNC, [&ends] {
        ends.push_back(Clock::now());
        return false;
    });
    { Game game; }
    const double peak = PeakResidentMegabytes();
    engine->Release();
    if (ends.size() < 2) {
        std::fprintf(stderr, "window-bench: the game ran no frames (see %s)\n",
                     options.logFile.c_str());
        return 1;
    }

    std::vector<double> times;
    for (std::size_t i = 1; i < ends.size(); ++i) {
        times.push_back(Milliseconds(ends[i] - ends[i - 1]));
    }
    const double median = bench::Median(times);
    const double p99 = Percentile(times, 0.99);
    const double seconds = Milliseconds(ends.back() - ends.front()) / 1000;
    std::printf("figure window_frame_median %.3f ms (%zu frames)\n", median, ends.size());
    std::printf("figure window_frame_p99 %.3f ms\n", p99);
    std::printf("figure window_fps %.1f frames/s\n",
                seconds > 0 ? static_cast<double>(times.size()) / seconds : 0.0);
    std::printf("figure window_first_frame %.1f ms\n", Milliseconds(ends.front() - start));
    std::printf("figure window_peak_rss %.1f MB\n", peak);
    std::printf("ratio window_frame_p99_over_120hz %.3f\n", p99 / kBudgetMs);
    fs::remove_all(temp);
    return 0;
}
