#include "editor/ViewPrefs.h"

#include "platform/engine/Engine.h"
#include "platform/engine/EngineLog.h"
#include "platform/engine/EngineOptions.h"

#include <filesystem>
#include <fstream>
#include <sstream>

std::string ViewPrefs::Path() {
    const std::string folder = StateFolder("");
    return folder.empty() ? "" : folder + "/editor-view.ini";
}

void ViewPrefs::Load(Engine& /*engine*/, bool& grid, bool& preview) {
    m_grid = m_preview = false;
    const std::string path = Path();
    if (!path.empty() && GetEngineOptions().replayFile.empty()) {
        std::ifstream in(path);
        std::string line;
        while (std::getline(in, line)) {
            if (line == "grid=1") {
                m_grid = true;
            } else if (line == "preview=1") {
                m_preview = true;
            }
        }
    }
    grid = m_grid;
    preview = m_preview;
}

void ViewPrefs::Keep(Engine& engine, bool grid, bool preview) {
    if (grid == m_grid && preview == m_preview) {
        return;
    }
    m_grid = grid;
    m_preview = preview;
    const std::string path = Path();
    if (path.empty()) {
        return;
    }
    // Whole or not at all: written beside and renamed into place.
    const std::string temporary = path + ".new";
    std::error_code error;
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << "grid=" << (grid ? 1 : 0) << "\npreview=" << (preview ? 1 : 0) << "\n";
        out.close();
        if (!out) {
            error = std::make_error_code(std::errc::io_error);
        }
    }
    if (!error) {
        std::filesystem::rename(temporary, path, error);
    }
    if (error) {
        std::filesystem::remove(temporary, error);
        if (!m_failed) {
            engine.System_Log("The grid and preview states cannot be kept in %s", path.c_str());
        }
        m_failed = true;
    }
}
