// Opening a map file into the editor's world and saving the world as one,
// in the format the game reads, keeping whatever the file held that the
// editor does not edit.
#pragma once

#include "content/MapFileSource.h"

#include <cstddef>
#include <string>

class ContentReport;
class EditorDefinitions;
class EditorWorld;
class Engine;

struct MapLoad {
    MapReadResult result = MapReadResult::CannotLoad;
    // Placements naming no definition, kept as placeholders.
    std::size_t missing = 0;
    bool Loaded() const { return result == MapReadResult::Read; }
};

// Reads the whole file first: only when it is a map do its entities,
// effects and items replace the world's placements (all off screen, none selected) and
// its name the map's. A file that cannot be loaded is reported, one whose
// root is not "map" refused; either way the world stays as it was.
// Entries naming no definition are kept as placeholders and counted.
MapLoad LoadMap(EditorWorld& world, const std::string& path, const EditorDefinitions& definitions,
                ContentReport& report);
// LoadMap with the program's messages: the load error box, "NAME is not a
// map file", and a log line for placeholders.
MapLoad OpenMapFile(Engine& engine, EditorWorld& world, const std::string& path,
                    const EditorDefinitions& definitions);

// The world as the map writer takes it: visible entities, then off-screen
// ones, then the effects and the items the same way.
MapContents MapOfWorld(const EditorWorld& world);

// Writes the map through the shared writer (whole file beside the target,
// then renamed into place), keeping what the source file held. False with
// the reason on failure.
bool SaveMap(const EditorWorld& world, const std::string& path, std::string& error);
