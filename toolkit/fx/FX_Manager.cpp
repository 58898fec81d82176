#include "toolkit/fx/FX_Manager.h"

#include "toolkit/fx/FX_Atlas_WRAP.h"
#include "toolkit/fx/FX_Emitter.h"
#include "toolkit/fx/FX_FrameList.h"
#include "toolkit/fx/FX_Frame_WRAP.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kAtlasSize = 1024;

} // namespace

FX_Manager::FX_Manager(int interpolation, int loopMode, bool positionMode,
                       std::string textureFolder, std::string tempFolder)
    : m_interpolation(interpolation), m_loopMode(loopMode), m_positionMode(positionMode),
      m_textureFolder(std::move(textureFolder)), m_tempFolder(std::move(tempFolder)) {}

FX_Manager::~FX_Manager() {
    // The file's own emitters are ours; duplicates belong to their users,
    // who may still hold them: they are only cut loose.
    std::vector<FX_Emitter*> emitters;
    emitters.swap(m_emitters);
    for (std::size_t i = 0; i < emitters.size(); ++i) {
        emitters[i]->m_manager = nullptr;
        if (i < m_loaded) {
            delete emitters[i];
        }
    }
    for (FX_FrameList* list : m_frameLists) {
        delete list;
    }
    for (FX_Atlas* atlas : m_atlases) {
        delete atlas;
    }
}

bool FX_Manager::LoadEffectsFile(const char* path) {
    FxHandle file = 0;
    if (Fx_OpenFile(path, &file) == FX_OK) {
        LoadFolder(file, "");
    }
    CreateAtlases(0.1f);
    Fx_CloseAllFiles();
    StopAll();
    return !m_emitters.empty();
}

void FX_Manager::LoadFolder(FxHandle file, const char* path) {
    Fx_SetCurrentFolder(file, path);
    FxSearchRecord record;
    for (int found = Fx_FindFirst(file, &record, FX_FIND_EMITTERS | FX_FIND_FOLDERS);
         found == FX_OK; found = Fx_FindNext(file, &record)) {
        if (record.folder) {
            LoadFolder(file, record.name.c_str());
        } else {
            LoadEmitter(file, record.name.c_str());
        }
    }
    Fx_SetCurrentFolder(file, "..");
}

void FX_Manager::LoadEmitter(FxHandle file, const char* name) {
    FxHandle handle = 0;
    if (Fx_LoadEmitter(file, name, &handle) != FX_OK) {
        return;
    }
    // The file's emitters come first, before any duplicate.
    m_emitters.insert(m_emitters.begin() + static_cast<long>(m_loaded),
                      new FX_Emitter(this, handle));
    ++m_loaded;
    if (m_interpolation != 0) {
        Fx_SetInterpolationMode(handle, m_interpolation == 1);
    }
    Fx_SetLoopMode(handle, m_loopMode);
    Fx_SetEmitterPositionMode(handle, m_positionMode);
    Fx_SetEmitterDirectionMode(handle, m_positionMode);
}

void FX_Manager::CreateAtlases(float scaleStep) {
    Fx_CreateAtlases(kAtlasSize, kAtlasSize, 1, scaleStep);
    for (FX_Emitter* emitter : m_emitters) {
        LoadTextures(emitter);
    }
}

void FX_Manager::LoadTextures(FX_Emitter* emitter) {
    FxHandle handle = emitter->GetHandle();
    for (int s = 0; s < Fx_GetEmitterCount(handle); ++s) {
        FxHandle sub = Fx_GetEmitter(handle, s);
        for (int t = 0; t < Fx_GetParticlesTypeCount(sub); ++t) {
            FxParticleType* type = Fx_LockParticlesType(sub, t);
            auto* list = new FX_FrameList(this, Fx_GetTextureID(type));
            m_frameLists.push_back(list);
            // From now on the type's number finds its frame list directly.
            Fx_SetTextureID(type, static_cast<int>(m_frameLists.size()) - 1);
            for (int i = 0; i < Fx_GetTextureCount(type); ++i) {
                auto* frame = new FX_Frame_WRAP(list);
                list->Add(frame);
                frame->SetTexture(Fx_GetTexture(type, i));
            }
            Fx_UnlockParticlesType(type);
        }
    }
}

FX_Emitter* FX_Manager::EmitterByName(const char* name) const {
    if (name == nullptr) {
        return nullptr;
    }
    for (FX_Emitter* emitter : m_emitters) {
        if (std::strcmp(Fx_GetEmitterName(emitter->GetHandle()), name) == 0) {
            return emitter;
        }
    }
    return nullptr;
}

int FX_Manager::Duplicate(FX_Emitter* emitter) {
    if (emitter == nullptr) {
        return -1;
    }
    auto* copy = new FX_Emitter(this, Fx_DuplicateEmitter(emitter->GetHandle()));
    copy->m_state = emitter->m_state;
    copy->m_z = emitter->m_z;
    copy->m_restoreFile = emitter->m_restoreFile;
    m_emitters.push_back(copy);
    return static_cast<int>(m_emitters.size()) - 1;
}

std::unique_ptr<FX_Emitter> FX_Manager::SpawnCopy(const char* name, float x, float y) {
    FX_Emitter* copy = GetEmitter(Duplicate(EmitterByName(name)));
    if (!copy) {
        return nullptr;
    }
    copy->Move(x, y, 0);
    copy->SetState(FX_Emitter::kPlaying);
    return std::unique_ptr<FX_Emitter>(copy);
}

void FX_Manager::StopAll() {
    for (FX_Emitter* emitter : m_emitters) {
        if (emitter->m_state != FX_Emitter::kStopped) {
            if (emitter->m_state != FX_Emitter::kInterrupted) {
                Fx_Stop(emitter->GetHandle());
            }
            emitter->m_state = FX_Emitter::kStopped;
        }
    }
}

FX_Atlas* FX_Manager::Atlas(int number, const FxTexture* texture) {
    // The library numbers the atlases it filled, one after another, so any
    // number it gives has a slot; a negative one means it placed nothing.
    if (number < 0 || texture == nullptr) {
        return nullptr;
    }
    if (static_cast<std::size_t>(number) >= m_atlases.size()) {
        m_atlases.resize(static_cast<std::size_t>(number) + 1, nullptr);
    }
    FX_Atlas*& atlas = m_atlases[static_cast<std::size_t>(number)];
    if (atlas == nullptr) {
        atlas = new FX_Atlas_WRAP(texture->textureWidth, texture->textureHeight);
    }
    if (texture->data != nullptr || texture->file != nullptr) {
        atlas->LoadTexture(texture, m_textureFolder);
    }
    return atlas;
}

FX_Emitter* FX_Manager::GetEmitter(int index) const {
    if (index < 0 || index >= static_cast<int>(m_emitters.size())) {
        return nullptr;
    }
    return m_emitters[static_cast<std::size_t>(index)];
}

FX_FrameList* FX_Manager::GetFrameList(int index) const {
    if (index < 0 || index >= static_cast<int>(m_frameLists.size())) {
        return nullptr;
    }
    return m_frameLists[static_cast<std::size_t>(index)];
}

void FX_Manager::Forget(FX_Emitter* emitter) {
    auto found = std::find(m_emitters.begin(), m_emitters.end(), emitter);
    if (found == m_emitters.end()) {
        return;
    }
    if (static_cast<std::size_t>(found - m_emitters.begin()) < m_loaded) {
        --m_loaded; // one of the file's own went early
    }
    m_emitters.erase(found);
}
