// One effects-library emitter with a play state. Made by the manager from
// the effects file, or as a duplicate that its user places, plays and
// destroys; destroying a duplicate takes it out of the manager at once.
#pragma once

#include "platform/fx/Fx.h"

#include <string>

class FX_Manager;

class FX_Emitter {
public:
    static constexpr int kStopped = 0;
    static constexpr int kPlaying = 1;
    static constexpr int kInterrupted = 2;

    FX_Emitter(FX_Manager* manager, FxHandle handle);
    virtual ~FX_Emitter();
    FX_Emitter(const FX_Emitter&) = delete;
    FX_Emitter& operator=(const FX_Emitter&) = delete;

    void Move(float x, float y, float z);
    void SetState(int state);
    void Restart();
    void Update(float time);
    // The number of particles drawn.
    int Draw();

    int GetState() const { return m_state; }
    FxHandle GetHandle() const { return m_handle; }
    float GetZ() const { return m_z; }
    const std::string& GetRestoreFile() const { return m_restoreFile; }

private:
    friend class FX_Manager;

    void DeleteRestoreFile();

    int m_state = kPlaying;
    FX_Manager* m_manager;
    FxHandle m_handle;
    float m_z = 0.0f;
    bool m_firstRestart = true;
    std::string m_restoreFile;
};
