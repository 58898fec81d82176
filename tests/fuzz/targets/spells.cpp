// The spell definitions (resources/spells.xml) through the shared content
// code. Every kept spell has a combination under the same number, numbers
// stay below the count of spell elements, and every decimal is finite (the
// game multiplies and divides with them).
#include "tests/fuzz/support/FuzzScratch.h"

#include "content/ContentReport.h"
#include "content/SpellDefinitionReader.h"

#include <cmath>
#include <tinyxml2.h>

namespace {

bool Finite(const SpellDefinition& s) {
    for (float v : {s.duration, s.speed, s.width, s.height, s.fireCost, s.iceCost, s.earthCost,
                    s.windCost, s.it, s.itc}) {
        if (!std::isfinite(v)) {
            return false;
        }
    }
    return true;
}

int SpellElements(const char* path) {
    tinyxml2::XMLDocument document;
    if (document.LoadFile(path) != tinyxml2::XML_SUCCESS) {
        return 0;
    }
    int count = 0;
    if (const tinyxml2::XMLElement* root = document.FirstChildElement("spells")) {
        for (const tinyxml2::XMLElement* e = root->FirstChildElement("spell"); e;
             e = e->NextSiblingElement("spell")) {
            ++count;
        }
    }
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScratchFiles files;
    const char* name = files.Write("in.xml", fuzz::AsText(data, size));
    EngineContentReport report(fuzz::TheEngine());
    SpellBook book;
    ReadSpellFile(name, book, report);
    if (book.definitions.size() != book.combinations.size()) {
        __builtin_trap();
    }
    const int elements = SpellElements(name);
    for (const auto& [index, spell] : book.definitions) {
        if (index < 0 || index >= elements || !book.combinations.count(index) || !Finite(spell) ||
            spell.kind < S_PROJ || spell.kind > S_AREA) {
            __builtin_trap();
        }
    }
    return 0;
}
