// Opening a map file into the editor's world and saving the world as one,
// in the format the game reads.
#pragma once

#include <string>

class ContentReport;
class EditorDefinitions;
class EditorWorld;
struct MapContents;

// Reads the whole file first: only when it loaded do its entities and items
// replace the world's placements (all off screen, none selected) and its
// name the map's. A file that cannot be loaded is reported and the world
// stays as it was. Entries naming no definition are skipped and reported.
bool LoadMap(EditorWorld& world, const std::string& path, const EditorDefinitions& definitions,
             ContentReport& report);

// The world as the map writer takes it: visible entities, then off-screen
// ones, then the items the same way.
MapContents MapOfWorld(const EditorWorld& world);

// Writes the map through the shared writer (whole file beside the target,
// then renamed into place). False with the reason on failure.
bool SaveMap(const EditorWorld& world, const std::string& path, std::string& error);
