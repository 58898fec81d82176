#include "platform/engine/RecordingHeader.h"

#include <algorithm>
#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

constexpr const char* kPrefix = "#! ";
constexpr const char* kAbsent = "-";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool ToInt(const std::string& text, int& value) {
    try {
        size_t used = 0;
        const long parsed = std::stol(text, &used);
        if (used != text.size() || parsed < 0 || parsed > 0x7FFFFFFF) {
            return false;
        }
        value = static_cast<int>(parsed);
        return true;
    } catch (...) {
        return false;
    }
}

// FNV-1a: stable across machines and runs, which is all a content check needs.
void Mix(std::uint64_t& hash, const char* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        hash ^= static_cast<unsigned char>(data[i]);
        hash *= 1099511628211ull;
    }
}

void MixFile(std::uint64_t& hash, const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    Mix(hash, name.data(), name.size() + 1);
    std::ifstream in(path, std::ios::binary);
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        Mix(hash, buffer, static_cast<size_t>(in.gcount()));
    }
}

} // namespace

std::string RecordingHeaderLine(const std::string& name, const std::string& value) {
    return kPrefix + name + " " + value + "\n";
}

std::string RecordingSettingKey(const std::string& section, const std::string& key) {
    return Lower(section) + "/" + Lower(key);
}

std::string RecordingSettingLine(const std::string& section, const std::string& key,
                                 const std::optional<std::string>& value) {
    // The value goes last and whole, so it may hold blanks.
    return RecordingHeaderLine("setting", RecordingSettingKey(section, key) + " " +
                                              (value ? "=" + *value : kAbsent));
}

bool ReadRecordingHeader(const std::string& text, RecordingHeader& header, std::string& error) {
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.rfind(kPrefix, 0) != 0) {
            continue;
        }
        const std::string rest = line.substr(3);
        const size_t blank = rest.find(' ');
        const std::string name = rest.substr(0, blank);
        const std::string value = blank == std::string::npos ? "" : rest.substr(blank + 1);
        bool ok = true;
        if (name == "format") {
            ok = ToInt(value, header.format);
            if (ok && header.format != kRecordingFormat) {
                error = "line " + std::to_string(number) + ": a recording of format " + value +
                        "; this program replays format " + std::to_string(kRecordingFormat);
                return false;
            }
        } else if (name == "program") {
            header.program = value;
        } else if (name == "seed") {
            ok = ToInt(value, header.seed);
        } else if (name == "map") {
            header.map = value;
        } else if (name == "start") {
            char tail = 0;
            ok = std::sscanf(value.c_str(), "%f,%f%c", &header.startX, &header.startY, &tail) == 2;
            header.hasStart = ok;
        } else if (name == "peaceful") {
            header.peaceful = value == "1";
            ok = header.peaceful || value == "0";
        } else if (name == "boxes") {
            header.drawnBoxes = value == "drawn";
            ok = header.drawnBoxes || value == "desktop";
        } else if (name == "frames") {
            ok = ToInt(value, header.frames);
        } else if (name == "content") {
            header.contentHash = value;
        } else if (name == "setting") {
            const size_t split = value.find(' ');
            ok = split != std::string::npos && value.find('/') < split;
            if (ok) {
                const std::string setting = value.substr(split + 1);
                ok = setting == kAbsent || setting.rfind('=', 0) == 0;
                header.settings[value.substr(0, split)] =
                    setting == kAbsent ? std::nullopt
                                       : std::optional<std::string>(setting.substr(1));
            }
        }
        if (!ok) {
            error =
                "line " + std::to_string(number) + ": a header line that does not read: " + line;
            return false;
        }
    }
    if (header.format == 0 && (header.seed >= 0 || !header.settings.empty())) {
        error = "header lines without a format line";
        return false;
    }
    return true;
}

std::string ContentHash(const std::string& mapFile) {
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it("resources", ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec)) {
            files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end());
    files.push_back(mapFile);
    std::uint64_t hash = 14695981039346656037ull;
    for (const fs::path& file : files) {
        MixFile(hash, file);
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016" PRIx64, hash);
    return text;
}
