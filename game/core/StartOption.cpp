#include "game/core/StartOption.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

StartPosition g_start;

bool ParseNumber(const std::string& text, float& out) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const float value = std::strtof(text.c_str(), &end);
    if (errno != 0 || end != text.c_str() + text.size() || !std::isfinite(value)) {
        return false;
    }
    out = value;
    return true;
}

} // namespace

bool ParseStartPosition(const std::string& text, StartPosition& start) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) {
        return false;
    }
    StartPosition parsed;
    if (!ParseNumber(text.substr(0, comma), parsed.x) ||
        !ParseNumber(text.substr(comma + 1), parsed.y)) {
        return false;
    }
    parsed.set = true;
    start = parsed;
    return true;
}

bool TakeStartOption(int& argc, char** argv, StartPosition& start, std::string& error) {
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--start") != 0) {
            argv[kept++] = argv[i];
            continue;
        }
        if (i + 1 >= argc || !ParseStartPosition(argv[i + 1], start)) {
            error = std::string("--start needs X,Y (two numbers)") +
                    (i + 1 < argc ? std::string(", not \"") + argv[i + 1] + "\"" : "");
            return false;
        }
        ++i;
    }
    argc = kept;
    argv[argc] = nullptr;
    return true;
}

void SetStartPosition(const StartPosition& start) {
    g_start = start;
}

const StartPosition& GetStartPosition() {
    return g_start;
}
