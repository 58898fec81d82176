#include "platform/engine/SessionRecordings.h"

#include "platform/engine/EngineLog.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <vector>

namespace {

// YYYYMMDD-HHMMSS at `at`: tells "duskmaw-2026..." from "duskmaw-editor-...".
bool IsStamp(const std::string& name, size_t at) {
    if (name.size() < at + 15 || name[at + 8] != '-') {
        return false;
    }
    for (size_t i = at; i < at + 15; ++i) {
        if (i != at + 8 && (name[i] < '0' || name[i] > '9')) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string NewSessionRecording(const std::string& program, int keep) {
    namespace fs = std::filesystem;
    const std::string folder = StateFolder("recordings");
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec)) {
        return "";
    }
    // The names sort by time: the oldest come first.
    const std::string prefix = program + "-";
    std::vector<fs::path> kept;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(prefix, 0) == 0 && it->path().extension() == ".rec" &&
            IsStamp(name, prefix.size())) {
            kept.push_back(it->path());
        }
    }
    std::sort(kept.begin(), kept.end());
    for (size_t i = 0; i + std::max(keep - 1, 0) < kept.size(); ++i) {
        fs::remove(kept[i], ec);
    }
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    fs::path path = fs::path(folder) / (prefix + stamp + ".rec");
    // Two sessions in one second: the later one gets a suffix that still sorts after.
    for (int n = 1; fs::exists(path, ec); ++n) {
        path = fs::path(folder) / (prefix + stamp + "-" + std::to_string(n) + ".rec");
    }
    return path.string();
}
