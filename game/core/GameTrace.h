// Writes one JSON object per frame with what can be observed of the game,
// for scenario tests and tools (see docs/trace.md).
#pragma once

#include "toolkit/JsonText.h"
#include "toolkit/TraceFile.h"

#include <cstdio>
#include <string>

class Game;

class GameTrace {
public:
    explicit GameTrace(const std::string& path);
    GameTrace(const GameTrace&) = delete;
    GameTrace& operator=(const GameTrace&) = delete;

    void Write(const Game& game);

private:
    TraceFile m_file;
};
