#include "editor/RecoveryFile.h"

#include "editor/EditorDocument.h"
#include "editor/EditorMapFile.h"
#include "platform/engine/Engine.h"

#include <cstdlib>
#include <filesystem>

namespace {

std::filesystem::path StateFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && *state) {
        return std::filesystem::path(state) / "duskmaw" / "recovery";
    }
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : ".") / ".local" / "state" / "duskmaw" /
           "recovery";
}

} // namespace

std::string RecoveryFile::PathFor(const std::string& map) {
    if (map.empty()) {
        return (StateFolder() / "untitled.xml.recovery").string();
    }
    return map + ".recovery";
}

bool RecoveryFile::Offered(const std::string& map) {
    namespace fs = std::filesystem;
    std::error_code error;
    const std::string recovery = PathFor(map);
    if (!fs::is_regular_file(recovery, error)) {
        return false;
    }
    if (map.empty() || !fs::exists(map, error)) {
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
                          Engine& engine) {
    if (!document.Modified()) {
        // Saved, or undone back to what the file holds: nothing to recover,
        // unless the file holds restored work the undo only set aside.
        if (!m_adopted) {
            Remove();
        }
        m_due = -1;
        return;
    }
    if (!m_written.empty() && m_writtenState == document.State() &&
        m_written == PathFor(document.File())) {
        return;
    }
    if (m_due < 0) {
        m_due = now + kInterval;
    }
    if (now < m_due) {
        return;
    }
    m_due = Write(document, world, engine) ? -1 : now + kInterval;
}

void RecoveryFile::WriteNow(const EditorDocument& document, const EditorWorld& world,
                            Engine& engine) {
    if (document.Modified()) {
        Write(document, world, engine);
    }
}

bool RecoveryFile::Write(const EditorDocument& document, const EditorWorld& world, Engine& engine) {
    const std::string path = PathFor(document.File());
    std::string error;
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    if (!SaveMap(world, path, error)) {
        // Tried again at the next interval. Logged once a path: beside a
        // read-only map (an installed one) it fails all session long.
        if (m_failed != path) {
            engine.System_Log("Recovery file not written: %s: %s", path.c_str(), error.c_str());
            m_failed = path;
        }
        m_failure = "Unsaved work is not kept: " + path + ": " + error;
        return false;
    }
    m_failed.clear();
    m_failure.clear();
    if (!m_written.empty() && m_written != path) {
        Remove();
    }
    m_written = path;
    m_writtenState = document.State();
    engine.System_Log("Recovery file written: %s", path.c_str());
    return true;
}

void RecoveryFile::Remove() {
    if (!m_written.empty()) {
        std::error_code error;
        std::filesystem::remove(m_written, error);
        m_written.clear();
    }
    m_adopted = false;
}
