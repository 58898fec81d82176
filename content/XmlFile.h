// Loading a content file into a document, with the load message on failure.
#pragma once

#include <string>

#include <tinyxml2.h>

class ContentReport;

// False (and the report told) when the file is missing or malformed.
bool LoadXmlFile(tinyxml2::XMLDocument& document, const std::string& path, ContentReport& report);

// Loads the file and hands the document to read(document); false (and the
// report told) when it could not be loaded.
template <typename Read>
bool ReadXmlFile(const std::string& path, ContentReport& report, Read&& read) {
    tinyxml2::XMLDocument document;
    if (!LoadXmlFile(document, path, report)) {
        return false;
    }
    read(static_cast<const tinyxml2::XMLDocument&>(document));
    return true;
}
