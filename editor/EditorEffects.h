// The effects a map places, loaded once from the game's effects file the
// first time one is needed, so the editor plays them as the game will.
#pragma once

#include <memory>
#include <set>
#include <string>

class Engine;
class FX_Emitter;
class FX_Manager;

class EditorEffects {
public:
    static constexpr const char* kFile = "fx/effects.fxd";

    EditorEffects();
    ~EditorEffects();
    EditorEffects(const EditorEffects&) = delete;
    EditorEffects& operator=(const EditorEffects&) = delete;

    // A looping copy of the named emitter at (x, y), or null when the
    // effects file has none of that name (logged once per name).
    std::unique_ptr<FX_Emitter> Spawn(const std::string& name, float x, float y);

private:
    Engine* m_engine;
    std::unique_ptr<FX_Manager> m_manager;
    bool m_loaded = false;
    std::string m_folder; // the emitters' restore files
    std::set<std::string> m_reported;
};

EditorEffects& TheEditorEffects();
