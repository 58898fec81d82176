// The grid and preview states, remembered between runs in the state folder
// (editor-view.ini), so the map is never placed half on, half off the grid
// because the editor started otherwise than it was left.
#pragma once

#include <string>

class Engine;

class ViewPrefs {
public:
    // Reads the file (missing or unreadable: both off). A replayed session
    // starts as recorded, from the defaults.
    void Load(Engine& engine, bool& grid, bool& preview);
    // Writes the file when either state changed since it was read or
    // written; a file that cannot be written costs one log line.
    void Keep(Engine& engine, bool grid, bool preview);
    static std::string Path();

private:
    bool m_grid = false;
    bool m_preview = false;
    bool m_failed = false;
};
