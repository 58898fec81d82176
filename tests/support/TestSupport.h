// Shared helpers for the test programs: a headless engine with its own log,
// temporary folders, and file helpers.
#pragma once

#include "platform/engine/Engine.h"
#include "platform/engine/EngineOptions.h"

#include <string>

namespace testing_support {

// The source tree (for shipped content under data/).
std::string SourceDir();

// Why a test that opens a real window cannot run here (no X display, or a
// sanitizer build: the system's GL and D-Bus libraries leak at exit in ways
// the leak checker cannot tell from ours), or empty when it can.
std::string WindowTestSkipReason();

// A fresh, empty folder under the system's temporary folder.
std::string MakeTempDir(const std::string& tag);

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

// An initiated headless engine with a log in a temporary folder. Holds one
// reference for its lifetime; anything else the test creates takes its own.
class HeadlessEngine {
public:
    explicit HeadlessEngine(EngineOptions options = {});
    ~HeadlessEngine();
    HeadlessEngine(const HeadlessEngine&) = delete;
    HeadlessEngine& operator=(const HeadlessEngine&) = delete;

    Engine* operator->() const { return m_engine; }
    Engine* get() const { return m_engine; }
    const std::string& Dir() const { return m_dir; }
    std::string LogPath() const { return m_dir + "/log.txt"; }
    std::string ReadLog() const { return ReadFile(LogPath()); }

private:
    std::string m_dir;
    Engine* m_engine = nullptr;
};

// Runs the test inside the shipped content folder (data/), as the programs
// run, and goes back to where it was afterwards.
class InDataDir {
public:
    InDataDir();
    ~InDataDir();
    InDataDir(const InDataDir&) = delete;
    InDataDir& operator=(const InDataDir&) = delete;

private:
    std::string m_previous;
};

} // namespace testing_support
