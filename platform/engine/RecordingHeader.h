// The lines at the top of a recording ("#! NAME VALUE") that make it
// replay the same run anywhere: the format, the seed, the map, the start
// position, the settings the run read and a hash of the content it read.
// They are comments to the input-script reader, so a recording stays a
// valid input script; a script without them replays with the command
// line's options, as before.
#pragma once

#include <map>
#include <optional>
#include <string>

inline constexpr int kRecordingFormat = 2;

struct RecordingHeader {
    int format = 0; // 0: no header (a plain script with dt lines)
    std::string program;
    int seed = -1;
    std::string map;
    bool hasStart = false;
    float startX = 0;
    float startY = 0;
    bool peaceful = false;
    std::string contentHash;
    int frames = 0;          // the run's length, written when it ends; 0: cut short
    bool drawnBoxes = false; // the run drew its own message boxes (a window)
    // "SECTION/key" in lower case -> the text read, or nothing for a key
    // that was missing.
    std::map<std::string, std::optional<std::string>> settings;
};

// One header line, with the newline.
std::string RecordingHeaderLine(const std::string& name, const std::string& value);
// The key a setting is kept under.
std::string RecordingSettingKey(const std::string& section, const std::string& key);
std::string RecordingSettingLine(const std::string& section, const std::string& key,
                                 const std::optional<std::string>& value);

// Reads the header lines of a recording. False with a message when a line
// is malformed or the format is not this program's.
bool ReadRecordingHeader(const std::string& text, RecordingHeader& header, std::string& error);

// A hash of the definitions, the resource script and the map: the files
// under resources/ of the content folder (the working directory) and the
// map file. Written as 16 hex digits.
std::string ContentHash(const std::string& mapFile);
