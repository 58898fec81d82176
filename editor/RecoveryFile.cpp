#include "editor/RecoveryFile.h"

#include "content/MapFile.h"
#include "editor/EditorDocument.h"
#include "editor/EditorMapFile.h"
#include "platform/engine/Engine.h"

#include <filesystem>

std::string RecoveryFile::PathFor(const std::string& map) {
    return map + ".recovery";
}

bool RecoveryFile::Offered(const std::string& map) {
    namespace fs = std::filesystem;
    std::error_code error;
    const std::string recovery = PathFor(map);
    if (!fs::is_regular_file(recovery, error)) {
        return false;
    }
    if (!fs::exists(map, error)) {
        return true;
    }
    const auto kept = fs::last_write_time(recovery, error);
    if (error) {
        return false;
    }
    const auto saved = fs::last_write_time(map, error);
    return error || kept > saved;
}

void RecoveryFile::Update(float now, const EditorDocument& document, const EditorWorld& world,
                          const std::string& mapPath, Engine& engine) {
    if (!document.Modified()) {
        // Saved, or undone back to what the file holds: nothing to recover.
        Remove();
        m_due = -1;
        return;
    }
    if (!m_written.empty() && m_writtenState == document.State()) {
        return;
    }
    if (m_due < 0) {
        m_due = now + kInterval;
    }
    if (now < m_due || mapPath.empty()) {
        return;
    }
    const std::string path = PathFor(mapPath);
    std::string error;
    if (!WriteMapFile(path, MapOfWorld(world), error)) {
        // Tried again at the next interval. Said once a path: beside a
        // read-only map (an installed one) it fails all session long.
        if (m_failed != path) {
            engine.System_Log("Recovery file not written: %s: %s", path.c_str(), error.c_str());
            m_failed = path;
        }
        m_due = now + kInterval;
        return;
    }
    m_failed.clear();
    if (!m_written.empty() && m_written != path) {
        Remove();
    }
    m_written = path;
    m_writtenState = document.State();
    m_due = -1;
    engine.System_Log("Recovery file written: %s", path.c_str());
}

void RecoveryFile::Remove() {
    if (!m_written.empty()) {
        std::error_code error;
        std::filesystem::remove(m_written, error);
        m_written.clear();
    }
}
