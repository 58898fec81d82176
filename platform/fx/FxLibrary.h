// What the effects library keeps between calls: open files, live emitters
// by handle and the atlas count. One per process, held by the registry so a
// test can start from a fresh one.
#pragma once

#include "platform/fx/FxEmitterState.h"
#include "platform/fx/FxFile.h"

#include <map>
#include <memory>

class Engine;

class FxLibrary {
public:
    static FxLibrary& Get();

    FxLibrary();
    ~FxLibrary();
    FxLibrary(const FxLibrary&) = delete;
    FxLibrary& operator=(const FxLibrary&) = delete;

    FxHandle OpenFile(const char* path);
    FxFile* File(FxHandle handle);
    void CloseAllFiles() { m_files.clear(); }

    FxHandle AddEmitter(std::unique_ptr<FxEmitterState> emitter);
    // The live emitter of a handle or sub-emitter handle, else null.
    FxEmitterState* Emitter(FxHandle handle);
    void RemoveEmitter(FxHandle handle);
    int EmitterCount() const { return static_cast<int>(m_emitters.size()); }

    int CreateAtlases(int width, int height, int step, float scaleStep);
    int AtlasCount() const { return m_atlasCount; }

    void Log(const std::string& line);

private:
    bool ImageSize(const std::string& file, int& width, int& height);

    Engine* m_engine = nullptr;
    FxDefinitionReader m_reader;
    std::map<FxHandle, std::unique_ptr<FxFile>> m_files;
    std::map<FxHandle, std::unique_ptr<FxEmitterState>> m_emitters;
    FxHandle m_nextFile = 1;
    FxHandle m_nextEmitter = 1;
    int m_atlasCount = 0;
};

// Sub-emitter handles carry the emitter's handle and index + 1 in the low byte.
constexpr FxHandle kFxSubBits = 0xFF;
