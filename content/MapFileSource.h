// A map file kept whole as it was read, so that saving what the editor made
// of it writes back everything the editor does not edit: effects, comments,
// unknown elements and attributes, and the order of the placements.
#pragma once

#include "content/MapFile.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct MapSource {
    tinyxml2::XMLDocument document;
    const tinyxml2::XMLElement* root = nullptr;
    // What was read, each entity and item numbered by its source (1-based
    // index into elements).
    MapContents contents;
    std::vector<const MapPlacement*> elements;
    std::unordered_map<const tinyxml2::XMLElement*, std::uint32_t> ids;
};

enum class MapReadResult { Read, CannotLoad, NotAMap };

// Loads the file (reported when it cannot be loaded). A document whose root
// element is not "map" is refused: saving over it would destroy whatever
// it really holds.
MapReadResult ReadMapSource(const std::string& path, MapSource& out, ContentReport& report);

// The map's text: the source's nodes in their order, with each placement
// element that still exists written with its current position (its text
// untouched when it did not move) and its other attributes and children,
// deleted ones left out, and new placements (source 0) after the last
// element of their kind. Without a source, the plain map.
void PrintMapKeeping(const MapContents& map, const MapSource* source, MapPrinter& printer);
bool WriteMapFileKeeping(const std::string& path, const MapContents& map, const MapSource* source,
                         std::string& error);
