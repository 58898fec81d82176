// Reader of resources/spells.xml. A spell's index is its position among the
// file's spell elements, also when an earlier spell was skipped, so fixing
// one spell never renumbers the others.
#pragma once

#include "content/SpellDefinition.h"

#include <map>
#include <string>

#include <tinyxml2.h>

class ContentReport;

struct SpellBook {
    std::map<int, SpellDefinition> definitions;
    std::map<int, SpellCombination> combinations;
};

void ReadSpellDefinitions(const tinyxml2::XMLDocument& document, const std::string& path,
                          SpellBook& out, ContentReport& report);
bool ReadSpellFile(const std::string& path, SpellBook& out, ContentReport& report);
