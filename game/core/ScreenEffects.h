// Screen effects over the world: a ripple that spreads from where the
// player was hit (a wave simulation pushing a distortion mesh) and a shader
// pulse, both drawn by compositing the render target onto the screen. Also
// owns the particle-effect manager and the one-shot world effects.
#pragma once

#include "toolkit/DistortionMesh.h"
#include "toolkit/Sprite.h"

#include <array>
#include <list>
#include <map>
#include <memory>

class FX_Emitter;
class FX_Manager;

class ScreenEffects {
public:
    static constexpr int kGrid = 128;

    ScreenEffects();
    ~ScreenEffects();
    ScreenEffects(const ScreenEffects&) = delete;
    ScreenEffects& operator=(const ScreenEffects&) = delete;

    void Toggle() { effectsOn = !effectsOn; }
    // One frame of the ripple and the pulse timing (effects on, unpaused).
    void Step();
    void UpdateWorldEffects();
    void DrawWorldEffects();
    // Draws the render target's picture onto the screen through the mesh or
    // the shaded sprite.
    void Composite();
    void Ripple(float screenX, float screenY);
    void ShaderPulse(float duration);
    // Plays a copy of the named effect at a world position; false when the
    // effects file has no such effect.
    bool StartEffect(const char* name, float x, float y);
    // The picture the composite draws: the render target's texture, given
    // again after the device was reset.
    void UsePicture(HTEXTURE picture);

    float Height(int row, int column) const { return m_height[Index(row, column)]; }
    void SetHeight(int row, int column, float value) { m_height[Index(row, column)] = value; }
    const DistortionMesh& Mesh() const { return *m_mesh; }
    int WorldEffectCount() const { return static_cast<int>(m_worldEffects.size()); }
    FX_Manager* EffectManager() const { return m_manager.get(); }

    std::map<int, HSHADER> shaders;
    int mode = 0;
    int shaderIndex = 0;
    float pulseStart = 0;
    float pulseDuration = 0;
    bool effectsOn = false;
    // False: hits start neither a ripple nor a pulse (a player's setting).
    bool hitEffects = true;
    bool pulseActive = false;
    float rippleEnd = 0;
    float rippleX = 0;
    float rippleY = 0;

private:
    static int Index(int row, int column) { return row * kGrid + column; }
    void StepRipple(float dt, float t);
    void AccelerateRow(int r);
    void AccelerateRowMovingTheOneAbove(int r, float dt);
    void MoveRow(int r, float dt);
    HSHADER CurrentShader() const;

    Engine* m_engine;
    // The screen the game configured the engine with.
    int m_screenWidth;
    int m_screenHeight;
    // A row's acceleration is needed only until the row has moved, one row
    // later in the sweep, so two rows of it are kept, by row parity; the
    // whole step then stays in the cache with the mesh.
    float* RowAcceleration(int r) { return m_acceleration[r & 1].data(); }
    // Aligned so that each row starts on a cache line.
    alignas(64) std::array<std::array<float, kGrid>, 2> m_acceleration{};
    alignas(64) std::array<float, kGrid * kGrid> m_velocity{};
    alignas(64) std::array<float, kGrid * kGrid> m_height{};
    std::list<std::unique_ptr<FX_Emitter>> m_worldEffects;
    std::unique_ptr<FX_Manager> m_manager;
    std::unique_ptr<DistortionMesh> m_mesh;
    std::unique_ptr<Sprite> m_screenSprite;
};

ScreenEffects& TheScreenEffects();
