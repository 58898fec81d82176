// What both programs do the same way before their own start-up: read the
// command line and enter the content folder, then create the engine and set
// its states from "settings.ini".
#pragma once

#include "platform/engine/Engine.h"

// Parses the command line, sets the engine options and enters the content
// folder. Returns the exit code when the program should end at once (help,
// a bad argument, no content folder), or -1 to go on.
int PrepareProgram(int argc, char** argv, const char* name);

struct ProgramCallbacks {
    EngineCallback frame;
    EngineCallback render;
    EngineCallback restore;
    EngineCallback exit;
};

struct ProgramScreen {
    int width = 1024;
    int height = 768;
};

// A new engine reference configured from "settings.ini" section "CONFIGS"
// ("w", "h", "Fullscreen", "fps") with the programs' shared title and
// states; the screen size read goes to screen. The caller reads its own
// settings from the same engine afterwards.
Engine* CreateProgramEngine(const ProgramCallbacks& callbacks, ProgramScreen& screen);
