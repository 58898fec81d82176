// Owns every emitter loaded from an effects file, the frame lists and the
// atlases their particles are drawn from, and hands out duplicates by name.
#pragma once

#include "platform/fx/Fx.h"

#include <memory>
#include <string>
#include <vector>

class FX_Atlas;
class FX_Emitter;
class FX_FrameList;

class FX_Manager {
public:
    // interpolation: 0 leave as in the file, 1 on, 2 off.
    FX_Manager(int interpolation, int loopMode, bool positionMode, std::string textureFolder,
               std::string tempFolder);
    virtual ~FX_Manager();
    FX_Manager(const FX_Manager&) = delete;
    FX_Manager& operator=(const FX_Manager&) = delete;

    // The game's start-up: open, load every folder, lay out the atlases,
    // close and stop everything. False when the file gave nothing.
    bool LoadEffectsFile(const char* path);

    void LoadFolder(FxHandle file, const char* path);
    void LoadEmitter(FxHandle file, const char* name);
    void CreateAtlases(float scaleStep);
    FX_Emitter* EmitterByName(const char* name) const;
    // Appends a copy of the emitter and returns its index.
    int Duplicate(FX_Emitter* emitter);
    // What every user of an effect does: a copy of the named emitter, moved
    // to (x, y) and playing. The caller owns it (destroying it takes it out
    // of the register); nullptr when the file has no such emitter.
    std::unique_ptr<FX_Emitter> SpawnCopy(const char* name, float x, float y);
    void StopAll();
    FX_Atlas* Atlas(int number, const FxTexture* texture);

    int GetEmitterCount() const { return static_cast<int>(m_emitters.size()); }
    FX_Emitter* GetEmitter(int index) const;
    FX_FrameList* GetFrameList(int index) const;
    const std::string& GetTextureFolder() const { return m_textureFolder; }
    const std::string& GetTempFolder() const { return m_tempFolder; }

private:
    friend class FX_Emitter;
    // A destroyed emitter leaves the register at once.
    void Forget(FX_Emitter* emitter);
    void LoadTextures(FX_Emitter* emitter);

    std::vector<FX_Emitter*> m_emitters;
    std::vector<FX_FrameList*> m_frameLists;
    std::vector<FX_Atlas*> m_atlases;
    int m_interpolation;
    int m_loopMode;
    bool m_positionMode;
    std::string m_textureFolder;
    std::string m_tempFolder;
    std::size_t m_loaded = 0; // the first emitters are the file's own
};
