// The map reader and writer (content/MapFile) both programs share: a map
// that reads is saved as the editor saves it and read again, and must come
// back with the same entities, effects and items, names and whole-number
// positions.
#include "tests/fuzz/support/FuzzScratch.h"

#include "content/ContentReport.h"
#include "content/MapFile.h"

#include <cmath>
#include <string>

namespace {

// A position as the editor writes it (nearest whole number, ties to even).
double Saved(float value) {
    const double rounded = std::nearbyint(static_cast<double>(value));
    return std::isfinite(rounded) ? rounded : 0.0;
}

void Compare(const std::vector<MapPlacement>& before, const std::vector<MapPlacement>& after) {
    if (before.size() != after.size()) {
        __builtin_trap();
    }
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i].name != after[i].name || Saved(before[i].x) != after[i].x ||
            Saved(before[i].y) != after[i].y) {
            __builtin_trap();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScratchFiles files;
    const char* name = files.Write("in.xml", fuzz::AsText(data, size));
    const char* saved = files.Claim("saved.xml");
    EngineContentReport report(fuzz::TheEngine());
    MapContents map;
    if (!ReadMapFile(name, map, report)) {
        return 0;
    }
    std::string error;
    if (!WriteMapFile(saved, map, error)) {
        return 0; // the scratch folder is full: no fault of the map
    }
    MapContents again;
    if (!ReadMapFile(saved, again, report)) {
        __builtin_trap();
    }
    if (again.name != map.name) {
        __builtin_trap();
    }
    Compare(map.entities, again.entities);
    Compare(map.effects, again.effects);
    Compare(map.items, again.items);
    return 0;
}
