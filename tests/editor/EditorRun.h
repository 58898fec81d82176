// Runs the map editor headless with scripted input, for the scenario tests:
// its trace, its log and the files it wrote.
#pragma once

#include "tests/support/Json.h"
#include "tests/support/ProgramRun.h"

#include <functional>
#include <string>
#include <vector>

struct EditorRun {
    ProgramResult result;
    std::vector<JsonValue> trace;
    std::string log;
    std::string dir; // the run's own folder (maps to save into live here)
};

// A map file of the given entity and item elements (already written XML).
std::string MapXml(const std::string& name, const std::string& elements);
// One crate at (300, 300).
std::string OneCrateMap();
// A script placing the picked definition at (500, 500) in frames 1 and 2.
std::string PlaceAt500();
// Three crates in a row on y 300, at x 300, 400 and 700.
std::string ThreeCratesMap();

// Runs the editor on the map text (written into the run's folder and given
// with --map) with the shipped content. The script may name the run's
// folder as $DIR; prepare may put files there first.
EditorRun RunEditor(const std::string& script, int frames, const std::string& mapXml,
                    const std::function<void(const std::string&)>& prepare = nullptr,
                    const std::string& dataDir = "");

// A content folder like the shipped one whose entity and item files hold
// the given text.
std::string DataWithDefinitions(const std::string& entities, const std::string& items);

// One line of an input script.
std::string Line(int frame, const std::string& event);
// Ctrl (and Shift) go down at `frame`, the key a frame later; all are up at
// frame + 3.
std::string Ctrl(int frame, char key, bool shift = false);

// The trace's placements of one frame, of one kind ("entity" or "item").
std::vector<JsonValue> Placements(const JsonValue& frame, const std::string& kind);
