#include "platform/engine/EngineOptions.h"

#include "platform/engine/InputScript.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace {

EngineOptions& CurrentOptions() {
    static EngineOptions options;
    return options;
}

bool ToInt(const std::string& text, int& out) {
    errno = 0;
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || errno != 0 || *end != '\0' || value < INT32_MIN || value > INT32_MAX) {
        return false;
    }
    out = static_cast<int>(value);
    return true;
}

bool ToDouble(const std::string& text, double& out) {
    errno = 0;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return !text.empty() && errno == 0 && *end == '\0';
}

// "X,Y": two finite numbers that fit a float.
bool ToPosition(const std::string& text, float& x, float& y) {
    const std::size_t comma = text.find(',');
    double a = 0, b = 0;
    if (comma == std::string::npos || !ToDouble(text.substr(0, comma), a) ||
        !ToDouble(text.substr(comma + 1), b)) {
        return false;
    }
    const auto fits = [](double v) { return std::isfinite(v) && std::fabs(v) <= FLT_MAX; };
    if (!fits(a) || !fits(b)) {
        return false;
    }
    x = static_cast<float>(a);
    y = static_cast<float>(b);
    return true;
}

std::string Absolute(const std::string& path) {
    if (path.empty()) {
        return path;
    }
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

// The program's own file. /proc/self/exe holds it whatever the program was
// started as (a bare name found on PATH, a symbolic link); argv[0] is the
// fallback where /proc is missing.
std::filesystem::path RunningExecutable(const char* argv0) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) {
        exe = fs::weakly_canonical(fs::path(argv0 ? argv0 : ""), ec);
    }
    return exe;
}

} // namespace

// A recording carries the seed, the map and the start position of its run;
// the command line still wins where it names them too.
bool ApplyRecordingHeader(EngineOptions& o, std::string& error) {
    o.replay = RecordingHeader{};
    o.replayNotes.clear();
    std::ifstream in(o.replayFile, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    RecordingHeader& header = o.replay;
    if (!ReadRecordingHeader(text.str(), header, error)) {
        return false;
    }
    auto note = [&](const std::string& option, const std::string& ours, const std::string& theirs) {
        o.replayNotes.push_back("Replay: the command line's " + option + " " + ours +
                                " is used, not the recording's " + theirs);
    };
    if (header.seed >= 0) {
        if (o.seed < 0) {
            o.seed = header.seed;
        } else if (o.seed != header.seed) {
            note("--seed", std::to_string(o.seed), std::to_string(header.seed));
        }
    }
    if (!header.map.empty()) {
        if (o.mapFile.empty()) {
            std::error_code ec;
            if (!std::filesystem::is_regular_file(header.map, ec)) {
                error = "its map " + header.map + " does not exist here";
                return false;
            }
            o.mapFile = header.map;
        } else if (o.mapFile != header.map) {
            note("--map", o.mapFile, header.map);
        }
    }
    if (header.hasStart) {
        if (!o.hasStart) {
            o.hasStart = true;
            o.startX = header.startX;
            o.startY = header.startY;
        } else if (o.startX != header.startX || o.startY != header.startY) {
            note("--start", std::to_string(o.startX) + "," + std::to_string(o.startY),
                 std::to_string(header.startX) + "," + std::to_string(header.startY));
        }
    }
    // A peaceful run replays peacefully, or its enemies would appear.
    o.peaceful = o.peaceful || header.peaceful;
    return true;
}

OptionsParseResult ParseEngineOptions(int argc, const char* const* argv, EngineOptions& o) {
    OptionsParseResult result;
    auto fail = [&](const std::string& message) {
        result.ok = false;
        result.error = message;
        return result;
    };
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) {
                return false;
            }
            out = argv[++i];
            return true;
        };
        std::string text;
        if (arg == "--help" || arg == "-h") {
            result.help = true;
        } else if (arg == "--headless") {
            o.headless = true;
        } else if (arg == "--no-dialogs") {
            o.noDialogs = true;
        } else if (arg == "--watch") {
            o.watchMap = true;
        } else if (arg == "--draw-log") {
            o.drawLog = true;
        } else if (arg == "--input") {
            if (!value(o.inputFile)) {
                return fail("--input needs a file");
            }
        } else if (arg == "--record") {
            if (!value(o.recordFile)) {
                return fail("--record needs a file");
            }
        } else if (arg == "--replay") {
            if (!value(o.replayFile)) {
                return fail("--replay needs a file");
            }
        } else if (arg == "--trace") {
            if (!value(o.traceFile)) {
                return fail("--trace needs a file");
            }
        } else if (arg == "--log") {
            if (!value(o.logFile)) {
                return fail("--log needs a file");
            }
        } else if (arg == "--data") {
            if (!value(o.dataDir)) {
                return fail("--data needs a folder");
            }
        } else if (arg == "--map") {
            if (!value(o.mapFile)) {
                return fail("--map needs a file");
            }
        } else if (arg == "--start") {
            if (!value(text) || !ToPosition(text, o.startX, o.startY)) {
                return fail("--start needs X,Y (two numbers)");
            }
            o.hasStart = true;
        } else if (arg == "--peaceful") {
            o.peaceful = true;
        } else if (arg == "--frames") {
            if (!value(text) || !ToInt(text, o.frames) || o.frames < 0) {
                return fail("--frames needs a count of 0 or more");
            }
        } else if (arg == "--seed") {
            if (!value(text) || !ToInt(text, o.seed) || o.seed < 0) {
                return fail("--seed needs a number of 0 or more");
            }
        } else if (arg == "--dt") {
            if (!value(text) || !ToDouble(text, o.dt) || !(o.dt > 0 && o.dt <= 10)) {
                return fail("--dt needs seconds above 0 and at most 10");
            }
        } else if (arg == "--screenshot") {
            ScreenshotRequest shot;
            size_t colon = std::string::npos;
            if (!value(text) || (colon = text.find(':')) == std::string::npos ||
                !ToInt(text.substr(0, colon), shot.frame) || shot.frame < 0 ||
                colon + 1 >= text.size()) {
                return fail("--screenshot needs FRAME:FILE");
            }
            shot.file = text.substr(colon + 1);
            o.screenshots.push_back(shot);
        } else {
            return fail("unknown option " + arg);
        }
    }
    if (!o.inputFile.empty() && !o.replayFile.empty()) {
        return fail("--input and --replay cannot be used together");
    }
    if (o.headless) {
        o.noDialogs = true;
    }
    // The programs change into the content folder before they start, so
    // files named on the command line are taken from where it was given.
    for (std::string* path : {&o.inputFile, &o.recordFile, &o.replayFile, &o.traceFile, &o.logFile,
                              &o.dataDir, &o.mapFile}) {
        *path = Absolute(*path);
    }
    for (ScreenshotRequest& shot : o.screenshots) {
        shot.file = Absolute(shot.file);
    }
    // A script that does not parse stops the run before anything starts.
    for (const std::string* script : {&o.inputFile, &o.replayFile}) {
        if (script->empty()) {
            continue;
        }
        InputScriptResult parsed = LoadInputScript(*script);
        if (!parsed.ok) {
            return fail("input script " + *script +
                        (parsed.line > 0 ? ", line " + std::to_string(parsed.line) : "") + ": " +
                        parsed.error);
        }
    }
    if (argc > 0) {
        o.program = std::filesystem::path(argv[0]).filename().string();
    }
    if (!o.replayFile.empty()) {
        std::string error;
        if (!ApplyRecordingHeader(o, error)) {
            return fail("recording " + o.replayFile + ": " + error);
        }
    }
    return result;
}

std::string EngineOptionsUsage(const char* program) {
    return std::string("usage: ") + program +
           " [options]\n"
           "  --headless            no window; simulated time\n"
           "  --input FILE          scripted input (replaces keyboard and mouse)\n"
           "  --frames N            end after N frames\n"
           "  --seed N              random seed (headless default 1)\n"
           "  --dt SECONDS          headless frame length (default 1/60)\n"
           "  --record FILE         write every frame's input and delta\n"
           "  --replay FILE         play a recording back exactly\n"
           "  --trace FILE          one JSON record of the state per frame\n"
           "  --screenshot F:FILE   write a PNG of frame F (repeatable)\n"
           "  --data DIR            the content folder to run in\n"
           "  --log FILE            write the engine log there\n"
           "  --map FILE            the map to open (default maps/map1.xml in the content)\n"
           "  --start X,Y           the game's player starts there (the editor ignores it)\n"
           "  --peaceful            the game starts and adds no enemy groups\n"
           "  --watch               the game reloads the map whenever its file changes\n"
           "  --no-dialogs          message boxes and file dialogs go to the log\n"
           "  --draw-log            keep every draw call (for tests)\n";
}

void SetEngineOptions(const EngineOptions& options) {
    CurrentOptions() = options;
}

const EngineOptions& GetEngineOptions() {
    return CurrentOptions();
}

std::string EnterDataDirectory(const EngineOptions& options, const char* argv0) {
    namespace fs = std::filesystem;
    std::vector<fs::path> candidates;
    std::error_code ec;
    if (!options.dataDir.empty()) {
        candidates.push_back(options.dataDir);
    } else {
        const fs::path exe = RunningExecutable(argv0);
        // An installed copy keeps its content in PREFIX/share/duskmaw, beside
        // PREFIX/bin; it is looked for first so that a stray data/ somewhere
        // above the prefix cannot take its place.
        candidates.push_back(exe.parent_path().parent_path() / "share" / "duskmaw");
        // Then data/ next to the executable and up the build tree to the
        // source tree's data/.
        for (fs::path dir = exe.parent_path(); !dir.empty(); dir = dir.parent_path()) {
            candidates.push_back(dir / "data");
            if (dir == dir.parent_path()) {
                break;
            }
        }
#ifdef DUSKMAW_SOURCE_DATA_DIR
        candidates.push_back(DUSKMAW_SOURCE_DATA_DIR);
#endif
    }
    for (const fs::path& dir : candidates) {
        if (fs::is_directory(dir, ec)) {
            fs::path absolute = fs::absolute(dir, ec);
            fs::current_path(absolute, ec);
            if (!ec) {
                return absolute.string();
            }
        }
    }
    return "";
}
