// The walk every definition reader shares: the records of one root element
// in document order, and the required parts of a record, so that a record
// lacking any of them is skipped with one report line naming all it lacks.
#pragma once

#include <string>

#include <tinyxml2.h>

class ContentReport;

class RecordCheck {
public:
    RecordCheck(const std::string& path, const char* recordName, int index,
                const tinyxml2::XMLElement& record, ContentReport& report);

    // The attribute's text; "" and noted as missing when absent.
    std::string Required(const tinyxml2::XMLElement& element, const char* attribute);
    // The first child of that name; nullptr and noted as missing when absent.
    const tinyxml2::XMLElement* RequiredChild(const char* name);
    // Anything else that makes the record unusable.
    void Fail(const std::string& why);

    // True when nothing was missing; otherwise reports the skip once.
    bool Accept();

    const tinyxml2::XMLElement& Record() const { return m_record; }

private:
    void Note(const std::string& what);

    const std::string& m_path;
    const char* m_recordName;
    int m_index;
    const tinyxml2::XMLElement& m_record;
    ContentReport& m_report;
    std::string m_missing;
};

// Calls read(record, index) for each child of the document's root element
// that bears the record name, in document order. A missing root reads as no
// records.
template <typename Read>
void ForEachRecord(const tinyxml2::XMLDocument& document, const char* root, const char* record,
                   Read&& read) {
    const tinyxml2::XMLElement* rootElement = document.FirstChildElement(root);
    if (!rootElement) {
        return;
    }
    int index = 0;
    for (const tinyxml2::XMLElement* element = rootElement->FirstChildElement(record); element;
         element = element->NextSiblingElement(record)) {
        read(*element, index++);
    }
}
