#include "content/RecordReader.h"

#include "content/ContentReport.h"

RecordCheck::RecordCheck(const std::string& path, const char* recordName, int index,
                         const tinyxml2::XMLElement& record, ContentReport& report)
    : m_path(path), m_recordName(recordName), m_index(index), m_record(record), m_report(report) {}

std::string RecordCheck::Required(const tinyxml2::XMLElement& element, const char* attribute) {
    const char* text = element.Attribute(attribute);
    if (!text) {
        if (&element == &m_record) {
            Note(std::string("no ") + attribute + " attribute");
        } else {
            Note(std::string("no ") + attribute + " attribute on " + element.Name());
        }
        return "";
    }
    return text;
}

const tinyxml2::XMLElement* RecordCheck::RequiredChild(const char* name) {
    const tinyxml2::XMLElement* child = m_record.FirstChildElement(name);
    if (!child) {
        Note(std::string("no ") + name + " element");
    }
    return child;
}

void RecordCheck::Fail(const std::string& why) {
    Note(why);
}

void RecordCheck::Note(const std::string& what) {
    m_missing += m_missing.empty() ? what : ", " + what;
}

bool RecordCheck::Accept() {
    if (m_missing.empty()) {
        return true;
    }
    std::string what = std::string(m_recordName) + " " + std::to_string(m_index);
    if (const char* name = m_record.Attribute("name")) {
        what += std::string(" \"") + name + "\"";
    }
    m_report.Problem(m_path, m_record.GetLineNum(), what + " skipped: " + m_missing);
    return false;
}
