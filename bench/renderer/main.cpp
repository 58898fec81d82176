// renderer-bench: quads per second through our engine, SDL_Renderer and a
// minimal GL batch, at 8x8 and 32x32. Each measurement runs in a child
// process of its own (a fresh window and GL state), and the repetitions are
// interleaved so that a busy machine slows every renderer alike.
//
//   renderer-bench [--reps N] [--quads N]         all figures and ratios
//   renderer-bench --child engine|sdl|minimal SIZE QUADS   one measurement
#include "bench/common/BenchSupport.h"
#include "bench/renderer/Benches.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

BenchConfig ConfigFor(int size, int quads) {
    BenchConfig config;
    config.size = size;
    config.quads = quads;
    // Roughly half a second of drawing per measurement at either size.
    config.frames = size <= 8 ? 30 : 10;
    return config;
}

int RunChild(const char* renderer, int size, int quads) {
    const BenchConfig config = ConfigFor(size, quads);
    double qps = 0;
    if (!std::strcmp(renderer, "engine"))
        qps = RunEngineBench(config);
    else if (!std::strcmp(renderer, "sdl"))
        qps = RunSdlRendererBench(config);
    else if (!std::strcmp(renderer, "minimal"))
        qps = RunMinimalGlBench(config);
    std::printf("%.0f\n", qps);
    return qps > 0 ? 0 : 1;
}

// Runs this program again as a child measuring one renderer at one size, and
// reads the quads per second it prints (0 when it fails).
double Measure(const std::string& self, const char* renderer, int size, int quads) {
    const std::string sizeText = std::to_string(size), quadsText = std::to_string(quads);
    const char* args[] = {self.c_str(),     "--child",         renderer,
                          sizeText.c_str(), quadsText.c_str(), nullptr};
    int fds[2];
    if (pipe(fds) != 0)
        return 0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, self.c_str(), &actions, nullptr, const_cast<char* const*>(args), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    std::string output;
    char buffer[256];
    for (ssize_t n; spawned == 0 && (n = read(fds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<size_t>(n));
    close(fds[0]);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return 0;
    return std::atof(output.c_str());
}

} // namespace

int main(int argc, char** argv) {
    int reps = 5, quads = 10000;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--child") && i + 3 < argc)
            return RunChild(argv[i + 1], std::atoi(argv[i + 2]), std::atoi(argv[i + 3]));
        if (!std::strcmp(argv[i], "--reps") && i + 1 < argc)
            reps = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--quads") && i + 1 < argc)
            quads = std::max(kTextureRun, std::atoi(argv[++i]));
    }
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        return 1;
    self[length] = '\0';
    const char* const renderers[] = {"engine", "sdl", "minimal"};
    const int sizes[] = {8, 32};
    std::map<std::string, std::vector<double>> samples;
    for (int rep = 0; rep < reps; ++rep)
        for (int size : sizes)
            for (const char* renderer : renderers)
                samples[std::string(renderer) + std::to_string(size)].push_back(
                    Measure(self, renderer, size, quads));

    bool ok = true;
    for (int size : sizes) {
        const std::string tag = std::to_string(size) + "x" + std::to_string(size);
        double qps[3];
        for (int r = 0; r < 3; ++r) {
            qps[r] = bench::Median(samples[std::string(renderers[r]) + std::to_string(size)]);
            ok = ok && qps[r] > 0;
            std::printf("figure renderer_%s_%s %.0f quads/s\n", renderers[r], tag.c_str(), qps[r]);
        }
        std::printf("ratio renderer_engine_over_sdl_%s %.3f\n", tag.c_str(),
                    qps[1] > 0 ? qps[0] / qps[1] : 0.0);
        std::printf("ratio renderer_engine_over_minimal_%s %.3f\n", tag.c_str(),
                    qps[2] > 0 ? qps[0] / qps[2] : 0.0);
    }
    if (!ok)
        std::fprintf(stderr, "renderer-bench: a renderer could not run (is there a display?)\n");
    return 0;
}
