// Loading a content file into a document, with the load message on failure.
#pragma once

#include <string>

#include <tinyxml2.h>

class ContentReport;

// False (and the report told) when the file is missing or malformed.
bool LoadXmlFile(tinyxml2::XMLDocument& document, const std::string& path, ContentReport& report);
