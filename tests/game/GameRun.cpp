#include "tests/game/GameRun.h"

#include "tests/support/TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <set>

using testing_support::MakeTempDir;
using testing_support::ReadFile;
using testing_support::SourceDir;
using testing_support::WriteFile;

GameRun RunGame(const std::string& script, int frames, const std::string& dataDir,
                const std::vector<std::string>& extra, const std::string& configHome) {
    std::string dir = MakeTempDir("game");
    setenv("XDG_CONFIG_HOME", (configHome.empty() ? dir + "/config" : configHome).c_str(), 1);
    WriteFile(dir + "/input.txt", script);
    std::vector<std::string> args = {"--headless",
                                     "--data",
                                     dataDir.empty() ? SourceDir() + "/data" : dataDir,
                                     "--log",
                                     dir + "/log.txt",
                                     "--frames",
                                     std::to_string(frames),
                                     "--input",
                                     dir + "/input.txt",
                                     "--trace",
                                     dir + "/trace.jsonl"};
    args.insert(args.end(), extra.begin(), extra.end());
    GameRun run;
    run.result = RunProgram(DUSKMAW_GAME_BINARY, args);
    run.trace = ReadJsonLines(dir + "/trace.jsonl");
    run.log = ReadFile(dir + "/log.txt");
    return run;
}

const JsonValue& Frame(const GameRun& run, int frame) {
    static const JsonValue kNone;
    for (const JsonValue& record : run.trace) {
        if (record["frame"].AsNumber() == frame) {
            return record;
        }
    }
    return kNone;
}

std::string WriteMap(const std::string& xml) {
    const std::string path = MakeTempDir("map") + "/m.xml";
    WriteFile(path, xml);
    return path;
}

std::string DataWith(const std::vector<std::pair<std::string, std::string>>& files) {
    namespace fs = std::filesystem;
    const fs::path source = SourceDir() + "/data";
    const fs::path dir = MakeTempDir("data");
    std::set<fs::path> replaced;
    for (const auto& [path, text] : files) {
        replaced.insert(fs::path(path));
    }
    // Link every shipped file that is not replaced, folder by folder, so a
    // replaced file's neighbours are still there.
    for (auto it = fs::recursive_directory_iterator(source);
         it != fs::recursive_directory_iterator(); ++it) {
        const fs::path relative = fs::relative(it->path(), source);
        if (it->is_directory()) {
            fs::create_directories(dir / relative);
        } else if (!replaced.count(relative) && relative != "log.txt") {
            fs::create_symlink(it->path(), dir / relative);
        }
    }
    for (const auto& [path, text] : files) {
        WriteFile((dir / path).string(), text);
    }
    return dir.string();
}
