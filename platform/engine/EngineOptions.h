// Command-line options shared by both programs and the engine: how to run
// (window or headless), scripted input, recording, screenshots, where the
// content lives. Parsed once in main, before the engine is created.
#pragma once

#include "platform/engine/RecordingHeader.h"

#include <string>
#include <vector>

struct ScreenshotRequest {
    int frame = 0;
    std::string file;
};

struct EngineOptions {
    bool headless = false;
    bool noDialogs = false;
    bool drawLog = false;
    std::string inputFile;
    std::string recordFile;
    std::string replayFile;
    std::string traceFile;
    std::string logFile;
    std::string dataDir;
    std::string mapFile; // empty: the program's own default map
    // --start X,Y: where the game's player begins (the editor ignores it).
    bool hasStart = false;
    float startX = 0;
    float startY = 0;
    // --peaceful: the game starts no enemy group and ignores "addgroup"
    // actions, so a designer can walk a level (the editor ignores it).
    bool peaceful = false;
    // --watch: the game reloads the map in place each time its file changes
    // (the editor's play-test follows every save).
    bool watchMap = false;
    int frames = -1;      // < 0: until the program ends the loop
    int seed = -1;        // < 0: headless 1, windowed from the clock
    double dt = 1.0 / 60; // headless frame length in seconds
    std::vector<ScreenshotRequest> screenshots;
    std::string program; // the program's file name, for the recording
    // What the --replay file's header said, and what the command line
    // overrode of it (for the log).
    RecordingHeader replay;
    std::vector<std::string> replayNotes;
};

struct OptionsParseResult {
    bool ok = true;
    bool help = false;
    std::string error;
};

// Reads argv into options. Unknown arguments are an error so a typo does
// not silently run something else.
OptionsParseResult ParseEngineOptions(int argc, const char* const* argv, EngineOptions& options);
std::string EngineOptionsUsage(const char* program);
// Reads the header of options.replayFile into options.replay and takes the
// seed, the map and the start position from it where the options do not
// name them. False with a message for a recording that cannot be replayed.
bool ApplyRecordingHeader(EngineOptions& options, std::string& error);

// The options the next EngineCreate uses. Set by main (and by tests).
void SetEngineOptions(const EngineOptions& options);
const EngineOptions& GetEngineOptions();

// Changes the working directory to the content folder: --data, else the
// installed PREFIX/share/duskmaw beside the executable's PREFIX/games, else
// data/ next to the executable or in a folder above it, else the source
// tree's data/. Returns the folder or an empty string when none exists.
std::string EnterDataDirectory(const EngineOptions& options, const char* argv0);
