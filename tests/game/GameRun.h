// Runs the real game headless with a script and reads back its trace and
// log, for scenario tests.
#pragma once

#include "tests/support/Json.h"
#include "tests/support/ProgramRun.h"

#include <string>
#include <vector>

struct GameRun {
    ProgramResult result;
    std::vector<JsonValue> trace;
    std::string log;
};

// Runs for the given frames with the input script; dataDir defaults to the
// shipped content; extra arguments go last. The player's own settings are
// read from and written to configHome (XDG_CONFIG_HOME), by default a
// fresh folder, never the tester's own.
GameRun RunGame(const std::string& script, int frames, const std::string& dataDir = "",
                const std::vector<std::string>& extra = {}, const std::string& configHome = "");

// The trace record of that frame (null when the run wrote none).
const JsonValue& Frame(const GameRun& run, int frame);

// Writes the map text as "m.xml" in a fresh folder; returns its path.
std::string WriteMap(const std::string& xml);

// A content folder like the shipped one with some files of its own: each
// (relative path, text) replaces or adds that file.
std::string DataWith(const std::vector<std::pair<std::string, std::string>>& files);
