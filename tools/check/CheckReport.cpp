#include "tools/check/CheckReport.h"

void CheckReport::CannotLoad(const std::string& path) {
    if (path == m_lastUnparsable) {
        m_lastUnparsable.clear();
        return;
    }
    Problem(path, 0, "cannot be loaded (missing or unreadable)");
}

void CheckReport::Unparsable(const std::string& path, int line, const std::string& why) {
    Problem(path, line, "not well-formed XML (" + why + ")");
    m_lastUnparsable = path;
}

void CheckReport::Problem(const std::string& path, int line, const std::string& what) {
    m_lines.push_back(path + ":" + std::to_string(line) + ": " + what);
}
