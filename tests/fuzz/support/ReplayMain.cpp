// Replays a fuzz target's corpus without the fuzzer: every file of the
// folders (or the files) named on the command line goes once through
// LLVMFuzzerTestOneInput. A crash or a sanitizer report fails the run; so
// does one input that takes longer than $DUSKMAW_FUZZ_REPLAY_LIMIT seconds
// (default 10), as a hang the fuzzer once found would.
#include "tests/fuzz/support/FuzzScratch.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Inputs(int argc, char** argv) {
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        fs::path path = fs::absolute(argv[i]);
        if (fs::is_directory(path)) {
            for (const auto& entry : fs::directory_iterator(path)) {
                // Dot files (a folder's keep-file) are no inputs.
                if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') {
                    inputs.push_back(entry.path());
                }
            }
        } else if (fs::is_regular_file(path)) {
            inputs.push_back(path);
        }
        // A missing folder is an empty one: a target may have no crashes yet.
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

double Limit() {
    const char* text = std::getenv("DUSKMAW_FUZZ_REPLAY_LIMIT");
    double limit = text ? std::atof(text) : 0.0;
    return limit > 0.0 ? limit : 10.0;
}

} // namespace

int main(int argc, char** argv) {
    // Read before the target enters its scratch folder, as names may be relative.
    std::vector<fs::path> inputs = Inputs(argc, argv);
    double limit = Limit();
    int slow = 0;
    for (const fs::path& path : inputs) {
        std::ifstream in(path, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
        auto start = std::chrono::steady_clock::now();
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (took.count() > limit) {
            std::printf("too slow: %s took %.2f s (limit %.0f s)\n", path.c_str(), took.count(),
                        limit);
            ++slow;
        }
    }
    std::printf("replayed %zu inputs, %d too slow\n", inputs.size(), slow);
    return slow == 0 ? 0 : 1;
}
