#include "platform/engine/EngineLog.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

EngineLog::~EngineLog() {
    Close();
}

bool EngineLog::Open(const std::string& path) {
    Close();
    m_path = path;
    if (path.empty()) {
        return false;
    }
    m_file = std::fopen(path.c_str(), "w");
    m_failed = !m_file;
    if (m_failed) {
        return false;
    }
    for (const std::string& line : m_pending) {
        std::fprintf(m_file, "%s\n", line.c_str());
    }
    m_pending.clear();
    std::fflush(m_file);
    return true;
}

void EngineLog::Close() {
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

void EngineLog::Write(const std::string& line) {
    if (!m_file) {
        // Kept for the file still to come; once no file could be opened,
        // a long run must not hold its whole log in memory.
        if (!m_failed) {
            m_pending.push_back(line);
        }
        return;
    }
    std::fprintf(m_file, "%s\n", line.c_str());
    std::fflush(m_file);
}

namespace {

// $VARIABLE/duskmaw, else ~/FALLBACK/duskmaw; empty with neither. A
// relative $VARIABLE is ignored, as the XDG rules say.
std::filesystem::path XdgFolder(const char* variable, const char* fallback) {
    namespace fs = std::filesystem;
    if (const char* set = std::getenv(variable); set && *set == '/') {
        return fs::path(set) / "duskmaw";
    }
    if (const char* home = std::getenv("HOME"); home && *home) {
        return fs::path(home) / fallback / "duskmaw";
    }
    return {};
}

} // namespace

std::string StateFolder(const std::string& sub) {
    std::filesystem::path folder = XdgFolder("XDG_STATE_HOME", ".local/state");
    if (folder.empty()) {
        return "";
    }
    if (!sub.empty()) {
        folder /= sub;
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return folder.string();
}

std::string PlayerSettingsPath() {
    const std::filesystem::path folder = XdgFolder("XDG_CONFIG_HOME", ".config");
    return folder.empty() ? "" : (folder / "settings.ini").string();
}

std::string StateLogPath(const std::string& fileName) {
    const std::string folder = StateFolder("");
    if (folder.empty()) {
        return "";
    }
    return (std::filesystem::path(folder) / std::filesystem::path(fileName).filename()).string();
}
