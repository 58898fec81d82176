// A content report that keeps what the readers said, for assertions.
#pragma once

#include "content/ContentReport.h"

#include <string>
#include <vector>

class CollectingReport : public ContentReport {
public:
    struct Line {
        std::string path;
        int line;
        std::string what;
    };
    void CannotLoad(const std::string& path) override { unloadable.push_back(path); }
    void Problem(const std::string& path, int line, const std::string& what) override {
        problems.push_back({path, line, what});
    }
    std::vector<std::string> unloadable;
    std::vector<Line> problems;
};
