#include "content/XmlFile.h"

#include "content/ContentReport.h"

bool LoadXmlFile(tinyxml2::XMLDocument& document, const std::string& path, ContentReport& report) {
    if (document.LoadFile(path.c_str()) != tinyxml2::XML_SUCCESS) {
        report.CannotLoad(path);
        return false;
    }
    return true;
}
