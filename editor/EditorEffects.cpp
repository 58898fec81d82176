#include "editor/EditorEffects.h"

#include "platform/engine/Engine.h"
#include "platform/registry/Registry.h"
#include "toolkit/fx/FX_Emitter.h"
#include "toolkit/fx/FX_Manager.h"
#include "toolkit/fx/ScratchFolder.h"

#include <filesystem>

EditorEffects& TheEditorEffects() {
    return Registry::Current().Get<EditorEffects>();
}

EditorEffects::EditorEffects() : m_engine(EngineCreate(ENGINE_VERSION)) {}

EditorEffects::~EditorEffects() {
    m_manager.reset();
    // By its name: the registry that holds the folder's record may be
    // going at the same time as this.
    if (!m_folder.empty()) {
        std::error_code error;
        std::filesystem::remove_all(m_folder, error);
    }
    if (m_engine) {
        m_engine->Release();
    }
}

std::unique_ptr<FX_Emitter> EditorEffects::Spawn(const std::string& name, float x, float y) {
    if (!m_loaded) {
        // The game's own settings: interpolation off, loop mode 0.
        m_loaded = true;
        m_folder = ScratchFolder();
        m_manager = std::make_unique<FX_Manager>(2, 0, false, "", m_folder);
        if (!m_manager->LoadEffectsFile(kFile)) {
            m_engine->System_Log("Effects: %s gave no effect; effects are drawn as their boxes",
                                 kFile);
        }
    }
    std::unique_ptr<FX_Emitter> emitter = m_manager->SpawnCopy(name.c_str(), x, y);
    if (!emitter) {
        if (m_reported.insert(name).second) {
            m_engine->System_Log("Effect \"%s\": %s has no such effect; drawn as its box",
                                 name.c_str(), kFile);
        }
        return nullptr;
    }
    Fx_SetLoopMode(emitter->GetHandle(), 1);
    return emitter;
}
