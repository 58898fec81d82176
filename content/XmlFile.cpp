#include "content/XmlFile.h"

#include "content/ContentReport.h"

bool LoadXmlFile(tinyxml2::XMLDocument& document, const std::string& path, ContentReport& report) {
    const tinyxml2::XMLError error = document.LoadFile(path.c_str());
    if (error != tinyxml2::XML_SUCCESS) {
        if (error != tinyxml2::XML_ERROR_FILE_NOT_FOUND &&
            error != tinyxml2::XML_ERROR_FILE_COULD_NOT_BE_OPENED) {
            report.Unparsable(path, document.ErrorLineNum(), document.ErrorName());
        }
        report.CannotLoad(path);
        return false;
    }
    return true;
}
