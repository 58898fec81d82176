// --watch: the map file is watched while the game runs, and each change
// reloads the world in place. The player, the enemies, the orbs and the
// inventory stay as they are.
#pragma once

#include "platform/engine/FileWatch.h"

#include <string>

class Engine;

class MapWatch {
public:
    MapWatch(Engine& engine, const std::string& path);
    // Once a frame: reloads when the file has changed since.
    void Update();
    int Reloads() const { return m_reloads; }

private:
    Engine& m_engine;
    FileWatch m_watch;
    int m_reloads = 0;
};
