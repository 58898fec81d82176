// Reader of resources/items.xml, shared by the game and the editor.
#pragma once

#include "content/ItemDefinition.h"

#include <map>
#include <string>

#include <tinyxml2.h>

class ContentReport;

using ItemDefinitions = std::map<std::string, ItemDefinition>;

void ReadItemDefinitions(const tinyxml2::XMLDocument& document, const std::string& path,
                         ItemDefinitions& out, ContentReport& report);
bool ReadItemFile(const std::string& path, ItemDefinitions& out, ContentReport& report);
