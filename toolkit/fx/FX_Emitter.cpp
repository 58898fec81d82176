#include "toolkit/fx/FX_Emitter.h"

#include "platform/registry/Registry.h"
#include "toolkit/fx/FX_Frame.h"
#include "toolkit/fx/FX_FrameList.h"
#include "toolkit/fx/FX_Manager.h"

#include <cstdio>

namespace {

// Restore files are numbered across the whole process so that no two live
// emitters ever share one.
struct FxRestoreCounter {
    int next = 0;
};

} // namespace

FX_Emitter::FX_Emitter(FX_Manager* manager, FxHandle handle)
    : m_manager(manager), m_handle(handle) {}

FX_Emitter::~FX_Emitter() {
    DeleteRestoreFile();
    Fx_UnloadEmitter(m_handle);
    if (m_manager != nullptr) {
        m_manager->Forget(this);
    }
}

void FX_Emitter::DeleteRestoreFile() {
    if (!m_restoreFile.empty()) {
        std::remove(m_restoreFile.c_str());
    }
}

void FX_Emitter::Move(float x, float y, float z) {
    bool positionMode = Fx_GetEmitterPositionMode(m_handle);
    if (!positionMode) {
        Fx_SetEmitterPositionMode(m_handle, true);
    }
    Fx_SetEmitterPosition(m_handle, x, y);
    m_z = z;
    if (!positionMode) {
        Fx_SetEmitterPositionMode(m_handle, false);
    }
}

void FX_Emitter::SetState(int state) {
    if (state == m_state) {
        return;
    }
    if (state == kPlaying) {
        if (Fx_IsInterrupt(m_handle)) {
            Fx_SetInterrupt(m_handle, false);
        }
        if (!m_firstRestart && !Fx_InInterval(m_handle)) {
            Fx_EmitterToInterval1(m_handle, m_restoreFile.c_str());
        }
    } else if (state == kStopped && m_state != kInterrupted) {
        Fx_Stop(m_handle);
    }
    m_state = state;
}

void FX_Emitter::Restart() {
    DeleteRestoreFile();
    if (Fx_IsInterval1(m_handle)) {
        int& counter = Registry::Current().Get<FxRestoreCounter>().next;
        m_restoreFile = (m_manager != nullptr ? m_manager->GetTempFolder() : std::string()) + "fx" +
                        std::to_string(counter++);
        if (m_firstRestart) {
            std::remove(m_restoreFile.c_str()); // left over from an earlier run
        }
        Fx_EmitterToInterval1(m_handle, m_restoreFile.c_str());
    } else {
        m_restoreFile.clear();
        Fx_Restart(m_handle);
    }
    m_firstRestart = false;
}

void FX_Emitter::Update(float time) {
    if (m_state != kPlaying && m_state != kInterrupted) {
        return;
    }
    if (m_firstRestart) {
        Restart();
    }
    float step = Fx_IsInterpolationMode(m_handle) ? time : Fx_GetUpdateTime(m_handle);
    if (!Fx_Update(m_handle, step)) {
        SetState(kStopped);
    }
}

int FX_Emitter::Draw() {
    if (m_state == kStopped || m_manager == nullptr) {
        return 0;
    }
    int drawn = 0;
    for (int s = Fx_GetEmitterCount(m_handle) - 1; s >= 0; --s) {
        FxHandle sub = Fx_GetEmitter(m_handle, s);
        if (!Fx_InInterval(sub)) {
            continue;
        }
        for (int t = Fx_GetParticlesTypeCount(sub) - 1; t >= 0; --t) {
            FxParticleType* type = Fx_LockParticlesType(sub, t);
            FX_FrameList* frames = m_manager->GetFrameList(Fx_GetTextureID(type));
            int count = frames != nullptr ? frames->GetCount() : 0;
            if (count > 0) {
                bool intensive = Fx_IsIntensive(type);
                for (int f = 0; f < count; ++f) {
                    frames->GetFrame(f)->BeginDraw();
                    if (intensive) {
                        frames->GetFrame(f)->SetIntensive(true);
                    }
                }
                FxParticle particle;
                while (Fx_GetNextParticle(type, &particle)) {
                    int frame = particle.frame >= 0 && particle.frame < count ? particle.frame : 0;
                    frames->GetFrame(frame)->DrawParticle(particle);
                    ++drawn;
                }
                for (int f = 0; f < count; ++f) {
                    frames->GetFrame(f)->EndDraw();
                    frames->GetFrame(f)->SetIntensive(false);
                }
            }
            Fx_UnlockParticlesType(type);
        }
    }
    return drawn;
}
