// --watch: the running game takes each save of its map in place, and a
// broken save leaves the map it has.
#include "tests/game/GameRun.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

using testing_support::ReadFile;
using testing_support::SourceDir;
using testing_support::WriteFile;

namespace {

// As the editor saves: written beside the map, renamed over it.
void Save(const std::string& path, const std::string& text) {
    WriteFile(path + ".saving", text);
    std::filesystem::rename(path + ".saving", path);
}

// Waits (up to ten seconds) for what the running game writes.
bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 1000; ++i) {
        if (done()) {
            return true;
        }
        usleep(10000);
    }
    return false;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

} // namespace

TEST(LiveReload, TheWatchedMapIsReloadedInPlaceAndABrokenOneRefused) {
    const std::string dir = testing_support::MakeTempDir("live");
    const std::string map = dir + "/m.xml";
    const std::string log = dir + "/log.txt";
    const std::string trace = dir + "/trace.jsonl";
    WriteFile(map, "<map name=\"Before\"><entity x=\"3000\" y=\"3000\" ent_name=\"crate\"/></map>");
    const pid_t pid = fork();
    if (pid == 0) {
        const std::string data = SourceDir() + "/data";
        execl(DUSKMAW_GAME_BINARY, DUSKMAW_GAME_BINARY, "--headless", "--data", data.c_str(),
              "--map", map.c_str(), "--watch", "--start", "0,0", "--trace", trace.c_str(), "--log",
              log.c_str(), "--frames", "100000000", static_cast<char*>(nullptr));
        _exit(127);
    }
    // The game runs until ended here, whatever the test finds.
    struct EndGame {
        explicit EndGame(pid_t p) : pid(p) {}
        pid_t pid;
        ~EndGame() {
            kill(pid, SIGKILL); // headless, the game takes no signal to end
            waitpid(pid, nullptr, 0);
        }
    };
    std::optional<EndGame> game;
    game.emplace(pid);
    const auto size = [&] {
        std::error_code error;
        const auto bytes = std::filesystem::file_size(trace, error);
        return error ? 0 : bytes;
    };
    const auto logHas = [&](const std::string& part) {
        return ReadFile(log).find(part) != std::string::npos;
    };
    ASSERT_TRUE(WaitFor([&] { return logHas("Watching the map"); }));
    ASSERT_TRUE(WaitFor([&] { return size() > 0; }));
    Save(map, "<map name=\"After\">"
              "<entity x=\"3000\" y=\"3000\" ent_name=\"crate\"/>"
              "<entity x=\"0\" y=\"0\" ent_name=\"crate\"/>" // on the player
              "<effect x=\"0\" y=\"200\" fx_name=\"Embers\"/>"
              "<item x=\"-100\" y=\"0\" it_name=\"Key\"/></map>");
    const bool reloaded = WaitFor([&] { return logHas("Map reloaded: " + map); });
    // A cut save: refused, with one line.
    Save(map, "<map name=\"Broken\"><entity x=\"1\"");
    const bool refused = WaitFor([&] { return logHas("Map not reloaded: " + map); });
    // A few frames more (the trace grows fast: its size only).
    const auto before = size();
    WaitFor([&] { return size() > before + 20000; });
    game.reset();
    ASSERT_TRUE(reloaded) << ReadFile(log);
    ASSERT_TRUE(refused) << ReadFile(log);
    EXPECT_EQ(Count(ReadFile(log), "Map not reloaded"), 1u);

    // The frame before the reload and the one of it (the last line may be
    // cut by the kill: it is dropped).
    std::string text = ReadFile(trace);
    text.resize(text.rfind('\n') + 1);
    WriteFile(trace, text);
    const std::vector<JsonValue> records = ReadJsonLines(trace);
    std::size_t at = 1;
    while (at < records.size() && records[at]["world"]["map"].AsString() == "Before") {
        ++at;
    }
    ASSERT_LT(at, records.size());
    const JsonValue& first = records[at - 1];
    const JsonValue& last = records.back();
    EXPECT_EQ(records[at]["player"]["health"].AsNumber(), first["player"]["health"].AsNumber());
    const JsonValue& world = last["world"];
    EXPECT_EQ(world["active_entities"].AsNumber() + world["inactive_entities"].AsNumber(), 3);
    EXPECT_EQ(world["active_items"].AsNumber() + world["inactive_items"].AsNumber(), 1);
    EXPECT_EQ(world["map"].AsString(), "After");
    EXPECT_EQ(last["player"]["x"].AsNumber(), first["player"]["x"].AsNumber());
    EXPECT_EQ(last["player"]["y"].AsNumber(), first["player"]["y"].AsNumber());
    EXPECT_EQ(records[at]["orbs"].AsArray().size(), first["orbs"].AsArray().size());
    for (std::size_t i = 0; i < first["orbs"].AsArray().size(); ++i) {
        EXPECT_EQ(records[at]["orbs"][i].AsNumber(), first["orbs"][i].AsNumber());
    }
}
