// The map format both programs share: a "map" element with a name and its
// entity, effect and item elements, each a position and a definition name.
// One reader and one writer, so the game reads exactly what the editor
// writes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <tinyxml2.h>

class ContentReport;

struct MapPlacement {
    std::string name; // of the definition
    float x = 0;
    float y = 0;
    int line = 0; // in the file it was read from; 0 when not read
    // The element it was read from (valid while its document lives), or null.
    const tinyxml2::XMLElement* element = nullptr;
    // Which element of a kept source it stands for (see MapSource): 0 for a
    // placement made since.
    std::uint32_t source = 0;
};

struct MapContents {
    std::string name;
    // Each kind in document order.
    std::vector<MapPlacement> entities;
    std::vector<MapPlacement> effects;
    std::vector<MapPlacement> items;
};

// Reads every entity, effect and item of the document's "map" element. An
// element without its name attribute is skipped and reported; a missing or
// non-finite coordinate reads as 0 (reported when it was not a number that
// fits). A document without "map" gives an empty map.
void ReadMap(const tinyxml2::XMLDocument& document, const std::string& path, MapContents& out,
             ContentReport& report);
// False, reported, and out untouched when the file cannot be loaded.
bool ReadMapFile(const std::string& path, MapContents& out, ContentReport& report);

// The document the editor saves: the declaration, "map" with its name, the
// entities, the effects, then the items, positions rounded to whole numbers
// (ties to even).
void BuildMapDocument(const MapContents& map, tinyxml2::XMLDocument& document);
// A printer that writes control characters in names as character
// references. Written raw, a carriage return would read back as a line
// feed, and a saved map would not hold the names it was given.
class MapPrinter : public tinyxml2::XMLPrinter {
public:
    using tinyxml2::XMLPrinter::XMLPrinter;
    void PushName(const char* attribute, const char* value);

protected:
    using tinyxml2::XMLPrinter::Write;
    void Write(const char* data, size_t size) override;
    void Putc(char ch) override;

private:
    bool m_inName = false;
};

// Nearest whole number, ties to even, as text.
std::string RoundedCoordinate(float value);
void PrintPlacements(MapPrinter& printer, const char* element, const char* nameAttribute,
                     const std::vector<MapPlacement>& placements);

// Prints that document's text straight from the contents, without building
// it first (a map of many thousands of placements saves at printing speed).
void PrintMap(const MapContents& map, MapPrinter& printer);
// Writes the whole file beside the target and renames it into place, so a
// failed save never leaves a cut map behind. On failure returns false with
// the reason in error.
bool WriteMapFile(const std::string& path, const MapContents& map, std::string& error);
// The same for any printed text (the editor's recovery file uses it too).
bool WriteFileWhole(const std::string& path, const std::string& text, std::string& error);
// The same for whatever write puts into the open temporary file (false
// when it failed).
bool WriteWhole(const std::string& path, const std::function<bool(std::FILE*)>& write,
                std::string& error);
