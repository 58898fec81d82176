// What the checker found: each problem as "file:line: message", kept in the
// order found, and the count for the summary.
#pragma once

#include "content/ContentReport.h"

#include <string>
#include <vector>

class CheckReport : public ContentReport {
public:
    void CannotLoad(const std::string& path) override;
    void Unparsable(const std::string& path, int line, const std::string& why) override;
    void Problem(const std::string& path, int line, const std::string& what) override;

    const std::vector<std::string>& Lines() const { return m_lines; }
    int Count() const { return static_cast<int>(m_lines.size()); }

private:
    std::vector<std::string> m_lines;
    // A malformed file already said where it breaks; its CannotLoad adds nothing.
    std::string m_lastUnparsable;
};
