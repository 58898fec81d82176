// The player's own settings over the content folder's: read key by key
// before it, and the only file a changed setting is written to.
#include "platform/engine/EngineImpl.h"

#include "platform/engine/RecordingHeader.h"

#include <filesystem>
#include <fstream>

void EngineImpl::UsePlayerSettings(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const bool there = !path.empty() && fs::exists(path, error);
    // A folder or an unreadable file in its place: the content folder's
    // settings and the defaults hold, and the game goes on.
    if (there && (fs::is_directory(path, error) || !std::ifstream(path).is_open())) {
        LogLine("The player settings " + path + " cannot be read; the defaults hold");
        m_playerIniFailed = true;
        m_playerIni.SetPath("");
        return;
    }
    m_playerIni.SetPath(path);
}

void EngineImpl::SetSetting(const char* section, const char* name, const std::string& text) {
    const std::string sectionName = section ? section : "";
    const std::string key = name ? name : "";
    m_changedSettings[RecordingSettingKey(sectionName, key)] = text;
    // A replay acts out someone's run; it must not change this player's file.
    if (m_replaying) {
        return;
    }
    const std::string& path = m_playerIni.Path();
    std::error_code error;
    if (!path.empty()) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    }
    if ((path.empty() || !m_playerIni.Set(sectionName, key, text)) && !m_playerIniFailed) {
        m_playerIniFailed = true;
        const std::string where =
            path.empty() ? std::string(m_strings[ENGINE_PLAYERINIFILE]) : path;
        LogLine("The player settings " + (where.empty() ? std::string("file") : where) +
                " cannot be written; changes last this run only");
    }
}
