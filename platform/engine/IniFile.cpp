#include "platform/engine/IniFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

std::string Trim(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) {
        ++begin;
    }
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) {
        --end;
    }
    return text.substr(begin, end - begin);
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string StripComment(const std::string& line) {
    size_t semicolon = line.find(';');
    return semicolon == std::string::npos ? line : line.substr(0, semicolon);
}

// The section a line opens, if it is a section header.
std::optional<std::string> SectionOf(const std::string& line) {
    std::string text = Trim(StripComment(line));
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
        return Trim(text.substr(1, text.size() - 2));
    }
    return std::nullopt;
}

// The key and value of a key=value line.
std::optional<std::pair<std::string, std::string>> EntryOf(const std::string& line) {
    std::string text = StripComment(line);
    size_t equals = text.find('=');
    if (equals == std::string::npos) {
        return std::nullopt;
    }
    return std::make_pair(Trim(text.substr(0, equals)), Trim(text.substr(equals + 1)));
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

} // namespace

std::optional<std::string> IniFile::Get(const std::string& section, const std::string& key) const {
    if (m_path.empty()) {
        return std::nullopt;
    }
    bool inSection = false;
    for (const std::string& line : ReadLines(m_path)) {
        if (auto name = SectionOf(line)) {
            inSection = SameName(*name, section);
            continue;
        }
        if (!inSection) {
            continue;
        }
        if (auto entry = EntryOf(line); entry && SameName(entry->first, key)) {
            return entry->second;
        }
    }
    return std::nullopt;
}

bool IniFile::Set(const std::string& section, const std::string& key, const std::string& value) {
    if (m_path.empty()) {
        return false;
    }
    std::vector<std::string> lines = ReadLines(m_path);
    bool inSection = false;
    int sectionEnd = -1;
    bool written = false;
    for (size_t i = 0; i < lines.size() && !written; ++i) {
        if (auto name = SectionOf(lines[i])) {
            inSection = SameName(*name, section);
            if (inSection) {
                sectionEnd = static_cast<int>(i) + 1;
            }
            continue;
        }
        if (!inSection) {
            continue;
        }
        sectionEnd = static_cast<int>(i) + 1;
        if (auto entry = EntryOf(lines[i]); entry && SameName(entry->first, key)) {
            lines[i] = entry->first + "=" + value;
            written = true;
        }
    }
    if (!written) {
        if (sectionEnd < 0) {
            lines.push_back("[" + section + "]");
            sectionEnd = static_cast<int>(lines.size());
        }
        lines.insert(lines.begin() + sectionEnd, key + "=" + value);
    }
    std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) {
        out << line << '\n';
    }
    return static_cast<bool>(out);
}

int IniFile::GetInt(const std::string& section, const std::string& key, int fallback) const {
    return ToInt(Get(section, key), fallback);
}

int IniFile::ToInt(const std::optional<std::string>& text, int fallback) {
    if (!text || text->empty()) {
        return fallback;
    }
    errno = 0;
    char* end = nullptr;
    long value = std::strtol(text->c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < INT32_MIN || value > INT32_MAX) {
        return fallback;
    }
    return static_cast<int>(value);
}

float IniFile::GetFloat(const std::string& section, const std::string& key, float fallback) const {
    return ToFloat(Get(section, key), fallback);
}

float IniFile::ToFloat(const std::optional<std::string>& text, float fallback) {
    if (!text || text->empty()) {
        return fallback;
    }
    errno = 0;
    char* end = nullptr;
    float value = std::strtof(text->c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(value)) {
        return fallback;
    }
    return value;
}
