// Helpers for the content tests: running a generator, listing and comparing
// files, and reading a PNG's size from its header.
#pragma once

#include "tests/support/TestSupport.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace content_test {

inline std::string DataDir() {
    return testing_support::SourceDir() + "/data";
}

// Runs a command line; its output goes to a log file in dir. Returns the exit code.
inline int Run(const std::string& command, const std::string& dir) {
    std::string line = command + " >" + dir + "/run.log 2>&1";
    int status = std::system(line.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline bool HaveDejaVu() {
    return std::filesystem::exists("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf") ||
           std::getenv("DUSKMAW_DEJAVU_DIR") != nullptr;
}

// Relative paths of the files under root/sub with the extension.
inline std::vector<std::string> Files(const std::string& root, const std::string& sub,
                                      const std::string& ext) {
    std::vector<std::string> out;
    std::filesystem::path dir = std::filesystem::path(root) / sub;
    if (!std::filesystem::exists(dir)) {
        return out;
    }
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
        if (e.path().extension() == ext) {
            out.push_back(sub + "/" + e.path().filename().string());
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

// Width and height from a PNG's header, or {0, 0}.
inline std::pair<int, int> PngSize(const std::string& path) {
    std::string bytes = testing_support::ReadFile(path);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) {
        return {0, 0};
    }
    auto be32 = [&](size_t at) {
        return static_cast<int>(
            (static_cast<uint8_t>(bytes[at]) << 24) | (static_cast<uint8_t>(bytes[at + 1]) << 16) |
            (static_cast<uint8_t>(bytes[at + 2]) << 8) | static_cast<uint8_t>(bytes[at + 3]));
    };
    return {be32(16), be32(20)};
}

} // namespace content_test
