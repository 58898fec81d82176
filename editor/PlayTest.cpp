#include "editor/PlayTest.h"

#include "editor/EditorMapFile.h"
#include "platform/engine/EngineOptions.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

std::string PlayTest::FindGame() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        return "";
    }
    const fs::path dir = self.parent_path();
    for (const fs::path& candidate : {dir / "duskmaw", dir.parent_path() / "game" / "duskmaw"}) {
        if (fs::is_regular_file(candidate, error) && access(candidate.c_str(), X_OK) == 0) {
            return candidate.string();
        }
    }
    return "";
}

std::vector<std::string> PlayTest::Arguments(const std::string& game, const std::string& map,
                                             float x, float y, bool peaceful) {
    char start[64];
    std::snprintf(start, sizeof start, "%.2f,%.2f", static_cast<double>(x), static_cast<double>(y));
    std::error_code error;
    // --watch: every save in the editor reaches the running game.
    std::vector<std::string> args = {
        game,     "--map", map, "--start", start, "--data", fs::current_path(error).string(),
        "--watch"};
    if (peaceful) {
        args.push_back("--peaceful");
    }
    const EngineOptions& options = GetEngineOptions();
    if (options.headless) {
        // A short run: enough to load the map and show it in the trace.
        args.insert(args.end(), {"--headless", "--frames", "30"});
        if (!options.traceFile.empty()) {
            args.insert(args.end(), {"--trace", options.traceFile + ".game"});
        }
        if (!options.logFile.empty()) {
            args.insert(args.end(), {"--log", options.logFile + ".game"});
        }
    }
    return args;
}

bool PlayTest::Start(const EditorWorld& world, float x, float y, std::string& error,
                     bool peaceful) {
    if (Running()) {
        error = "the game is still running";
        return false;
    }
    const std::string game = FindGame();
    if (game.empty()) {
        error = "the game program was not found beside the editor";
        return false;
    }
    std::error_code fsError;
    std::string pattern = (fs::temp_directory_path(fsError) / "duskmaw-playtest-XXXXXX").string();
    if (fsError || !mkdtemp(pattern.data())) {
        error = std::string("no temporary folder: ") + std::strerror(errno);
        return false;
    }
    m_folder = pattern;
    m_map = m_folder + "/playtest.xml";
    if (!SaveMap(world, m_map, error)) {
        Finished();
        return false;
    }
    // An argument vector, no shell: the paths may hold any character.
    std::vector<std::string> args = Arguments(game, m_map, x, y, peaceful);
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    // The game's own temporary files go into the play-test's folder, so
    // they go with it even when the game is ended from here.
    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e) {
        if (std::strncmp(*e, "TMPDIR=", 7) != 0) {
            environment.emplace_back(*e);
        }
    }
    environment.push_back("TMPDIR=" + m_folder);
    std::vector<char*> envp;
    for (std::string& e : environment) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, game.c_str(), nullptr, nullptr, argv.data(), envp.data());
    if (failed != 0) {
        error = "the game could not be started: " + std::string(std::strerror(failed));
        Finished();
        return false;
    }
    m_pid = pid;
    return true;
}

bool PlayTest::Refresh(const EditorWorld& world, std::string& error) {
    if (!Running()) {
        return false;
    }
    // Written whole and renamed into place: the game never reads half a map.
    return SaveMap(world, m_map, error);
}

void PlayTest::Stop() {
    if (!Running()) {
        return;
    }
    // Asked first (a window closes as its own close button would), then
    // made to: the editor must not hang on a game that does not listen.
    kill(m_pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
            Finished();
            return;
        }
        usleep(10000);
    }
    kill(m_pid, SIGKILL);
    Wait();
}

bool PlayTest::Ended(int& code) {
    if (!Running()) {
        return false;
    }
    int status = 0;
    const pid_t done = waitpid(m_pid, &status, WNOHANG);
    if (done == 0 || (done < 0 && errno == EINTR)) {
        return false;
    }
    code = done > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    Finished();
    return true;
}

int PlayTest::Wait() {
    if (!Running()) {
        return -1;
    }
    int status = 0;
    pid_t done = -1;
    while ((done = waitpid(m_pid, &status, 0)) < 0 && errno == EINTR) {
    }
    Finished();
    return done > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void PlayTest::Finished() {
    m_pid = -1;
    if (!m_folder.empty()) {
        std::error_code error;
        fs::remove_all(m_folder, error);
        m_folder.clear();
    }
}
