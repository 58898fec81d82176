// What the engine demo draws: every blend mode side by side, lines, turned
// quads, a render target shown plain and through the pulse shader, a square
// moved with the keys and a cross following the mouse. Places and colours are
// fixed (see the constants in DemoScene.cpp) so the smoke test can check
// pixels of a screenshot.
#pragma once

#include "platform/engine/Engine.h"

class DemoScene {
public:
    explicit DemoScene(Engine* engine) : m_engine(engine) {}
    ~DemoScene();
    DemoScene(const DemoScene&) = delete;
    DemoScene& operator=(const DemoScene&) = delete;

    // After System_Initiate: textures, the target and the shader.
    bool Load();
    // Returns true to end the program.
    bool Frame();
    void Render();

private:
    void DrawTarget();
    void DrawBlendModes();
    void DrawShapes(float time);
    void DrawComposites();
    void DrawControls();
    void Draw(const Quad& quad) { m_engine->Gfx_RenderQuad(&quad); }

    Engine* m_engine;
    HTEXTURE m_madeTexture = 0;
    HTEXTURE m_loadedTexture = 0;
    HTARGET m_target = 0;
    HSHADER m_shader = 0;
    float m_playerX = 512, m_playerY = 600;
};
