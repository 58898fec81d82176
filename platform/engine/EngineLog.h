// The engine log: the file is emptied when the engine starts, then every
// line is appended and flushed at once so a crash loses nothing. Lines
// written before the file is known are kept and written first.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

class EngineLog {
public:
    ~EngineLog();
    // Empties the file and writes any lines kept so far; false when the
    // file cannot be written (the kept lines wait for another Open, and
    // lines written meanwhile are dropped).
    bool Open(const std::string& path);
    void Close();
    void Write(const std::string& line);
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
    std::FILE* m_file = nullptr;
    bool m_failed = false;
    std::vector<std::string> m_pending;
};

// The player's state folder, $XDG_STATE_HOME/duskmaw/, else
// ~/.local/state/duskmaw/, or a folder below it; made on demand. Empty when
// neither variable is set.
std::string StateFolder(const std::string& sub);
// Where the log goes when the content folder cannot be written (an
// installed copy): in the state folder.
std::string StateLogPath(const std::string& fileName);
// The player's own settings file, $XDG_CONFIG_HOME/duskmaw/settings.ini,
// else ~/.config/duskmaw/settings.ini (its folder is made when it is first
// written); empty when neither variable is set.
std::string PlayerSettingsPath();
