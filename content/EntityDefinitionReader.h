// Readers of resources/entity.xml and resources/effects.xml, shared by the
// game and the editor. Later records with the same name replace earlier
// ones; records lacking a required part are skipped and reported.
#pragma once

#include "content/EntityDefinition.h"

#include <map>
#include <string>

#include <tinyxml2.h>

class ContentReport;

using EntityDefinitions = std::map<std::string, EntityDefinition>;

void ReadEntityDefinitions(const tinyxml2::XMLDocument& document, const std::string& path,
                           EntityDefinitions& out, ContentReport& report);
// Effect definitions never have a sprite, a particle system or dynamic set,
// whatever the file says.
void ReadEffectDefinitions(const tinyxml2::XMLDocument& document, const std::string& path,
                           EntityDefinitions& out, ContentReport& report);

// Load the file and read it; false when it could not be loaded.
bool ReadEntityFile(const std::string& path, EntityDefinitions& out, ContentReport& report);
bool ReadEffectFile(const std::string& path, EntityDefinitions& out, ContentReport& report);
