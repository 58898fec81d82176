#include "tools/engine-demo/DemoScene.h"

#include <cmath>

namespace {

// Layout the smoke test relies on (tests/smoke/engine-demo.sh).
constexpr std::uint32_t kBackground = 0xFF12141F;
constexpr std::uint32_t kPad = 0xFF808080;          // under each blend sample
constexpr std::uint32_t kTexel = 0x80C06020;        // middle of the made texture
constexpr std::uint32_t kSampleColour = 0xFF4080C0; // vertex colour of the samples
constexpr float kCellX = 32, kCellY = 32, kCellStep = 124, kPadSize = 100;
constexpr float kSampleInset = 18, kSampleSize = 64;
constexpr float kLineY = 170;
constexpr float kDiamondX = 100, kDiamondY = 300, kDiamondSize = 60;
constexpr int kTargetSize = 256;
constexpr float kPlainX = 420, kShadedX = 720, kCompositeY = 220;
constexpr float kPi = 3.14159265f;

Quad MakeQuad(float x, float y, float w, float h, std::uint32_t colour, HTEXTURE tex, int blend) {
    Quad q{};
    const float xs[4] = {x, x + w, x + w, x};
    const float ys[4] = {y, y, y + h, y + h};
    const float us[4] = {0, 1, 1, 0};
    const float vs[4] = {0, 0, 1, 1};
    for (int i = 0; i < 4; ++i)
        q.v[i] = Vertex{xs[i], ys[i], 0.5f, colour, us[i], vs[i]};
    q.tex = tex;
    q.blend = blend;
    return q;
}

// Corners turned by angle about the quad's centre, computed here rather than
// through Gfx_SetTransform so both ways of turning are shown.
Quad TurnedQuad(float cx, float cy, float size, float angle, std::uint32_t colour, HTEXTURE tex,
                int blend) {
    Quad q = MakeQuad(0, 0, 0, 0, colour, tex, blend);
    const float c = std::cos(angle) * size / 2, s = std::sin(angle) * size / 2;
    const float dx[4] = {-1, 1, 1, -1}, dy[4] = {-1, -1, 1, 1};
    for (int i = 0; i < 4; ++i) {
        q.v[i].x = cx + dx[i] * c - dy[i] * s;
        q.v[i].y = cy + dx[i] * s + dy[i] * c;
    }
    return q;
}

} // namespace

DemoScene::~DemoScene() {
    if (m_shader)
        m_engine->Shader_Free(m_shader);
    if (m_target)
        m_engine->Target_Free(m_target);
    for (HTEXTURE t : {m_madeTexture, m_loadedTexture})
        if (t)
            m_engine->Texture_Free(t);
}

bool DemoScene::Load() {
    // A made texture: a known half-transparent middle in a white and grey
    // border, written through a lock as the toolkit does.
    m_madeTexture = m_engine->Texture_Create(64, 64);
    std::uint32_t* pixels = m_madeTexture ? m_engine->Texture_Lock(m_madeTexture, false) : nullptr;
    if (!pixels) {
        m_engine->System_Log("engine-demo: cannot make a texture");
        return false;
    }
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            bool border = x < 8 || y < 8 || x >= 56 || y >= 56;
            pixels[y * 64 + x] = !border ? kTexel : ((x / 8 + y / 8) % 2 ? 0xFFFFFFFF : 0xFF55566A);
        }
    m_engine->Texture_Unlock(m_madeTexture);

    // Shipped art when the content has it; the demo does without.
    for (const char* file : {"gui/menugui.png", "fonts/font.png"})
        if ((m_loadedTexture = m_engine->Texture_Load(file)) != 0)
            break;

    m_target = m_engine->Target_Create(kTargetSize, kTargetSize, false);
    m_shader = m_engine->Shader_Create("shaders/shader1.psh");
    return m_target != 0;
}

bool DemoScene::Frame() {
    if (m_engine->Input_GetKey() == VK_ESCAPE)
        return true;
    const float step = 240 * m_engine->Timer_GetDelta();
    if (m_engine->Input_GetKeyState(VK_LEFT) || m_engine->Input_GetKeyState('A'))
        m_playerX -= step;
    if (m_engine->Input_GetKeyState(VK_RIGHT) || m_engine->Input_GetKeyState('D'))
        m_playerX += step;
    if (m_engine->Input_GetKeyState(VK_UP) || m_engine->Input_GetKeyState('W'))
        m_playerY -= step;
    if (m_engine->Input_GetKeyState(VK_DOWN) || m_engine->Input_GetKeyState('S'))
        m_playerY += step;
    m_playerX = std::fmin(std::fmax(m_playerX, 0), 1024);
    m_playerY = std::fmin(std::fmax(m_playerY, 0), 768);
    return false;
}

void DemoScene::Render() {
    // Animation follows the frame number, not the clock, so a screenshot of
    // frame F always shows the same picture.
    const float time = static_cast<float>(m_engine->System_GetFrame()) / 60.0f;
    DrawTarget();
    m_engine->Gfx_BeginScene();
    m_engine->Gfx_Clear(kBackground);
    DrawBlendModes();
    DrawShapes(time);
    DrawComposites();
    DrawControls();
    m_engine->Gfx_EndScene();
}

void DemoScene::DrawTarget() {
    // Red above, blue below, so a picture turned over shows at once.
    if (!m_engine->Gfx_BeginScene(m_target))
        return;
    m_engine->Gfx_Clear(0xFF0000FF);
    Draw(MakeQuad(0, 0, kTargetSize, 96, 0xFFFF0000, 0, BLEND_DEFAULT));
    const float t = static_cast<float>(m_engine->System_GetFrame()) / 60.0f;
    Quad spinner = TurnedQuad(128, 128, 48, t * 2, 0xFFFFF1A8, m_madeTexture, BLEND_DEFAULT);
    Draw(spinner);
    m_engine->Gfx_EndScene();
}

void DemoScene::DrawBlendModes() {
    for (int mode = 0; mode < 8; ++mode) {
        const float x = kCellX + kCellStep * static_cast<float>(mode);
        Draw(MakeQuad(x, kCellY, kPadSize, kPadSize, kPad, 0, BLEND_DEFAULT));
        Draw(MakeQuad(x + kSampleInset, kCellY + kSampleInset, kSampleSize, kSampleSize,
                      kSampleColour, m_madeTexture, mode));
    }
}

void DemoScene::DrawShapes(float time) {
    m_engine->Gfx_RenderLine(32, kLineY, 990, kLineY, 0xFFFFFFFF);
    for (int i = 0; i < 12; ++i) {
        const float a = time * 0.5f + static_cast<float>(i) * kPi / 6;
        m_engine->Gfx_RenderLine(250, 450, 250 + std::cos(a) * 80, 450 + std::sin(a) * 80,
                                 0xFF9CC8FF);
    }
    // A square turned an eighth about its centre by the engine's transform.
    m_engine->Gfx_SetTransform(kDiamondX, kDiamondY, 0, 0, kPi / 4, 1, 1);
    Draw(MakeQuad(kDiamondX - kDiamondSize / 2, kDiamondY - kDiamondSize / 2, kDiamondSize,
                  kDiamondSize, 0xFFFFB347, 0, BLEND_DEFAULT));
    m_engine->Gfx_SetTransform();
    // Spinning textured quads in a few blend modes, one with the loaded art.
    const HTEXTURE art = m_loadedTexture ? m_loadedTexture : m_madeTexture;
    const int modes[4] = {BLEND_DEFAULT, BLEND_COLORADD | BLEND_ALPHABLEND, BLEND_ALPHAADD,
                          BLEND_COLORMUL | BLEND_ALPHABLEND};
    const std::uint32_t colours[4] = {0xFFFFFFFF, 0xFF3F6B47, 0xFFFF781E, 0xFF8A4FD0};
    for (int i = 0; i < 4; ++i)
        Draw(TurnedQuad(100 + 60 * static_cast<float>(i), 640, 48, time * static_cast<float>(i + 1),
                        colours[i], i == 0 ? art : m_madeTexture, modes[i]));
}

void DemoScene::DrawComposites() {
    const HTEXTURE picture = m_engine->Target_GetTexture(m_target);
    Draw(MakeQuad(kPlainX, kCompositeY, kTargetSize, kTargetSize, 0xFFFFFFFF, picture,
                  BLEND_DEFAULT));
    // The pulse runs from 0 to 4 and over again every two seconds of frames;
    // at frame 30 it is at its strongest.
    const float tval = std::fmod(static_cast<float>(m_engine->System_GetFrame()) / 15.0f, 4.0f);
    m_engine->Shader_SetFloat(m_shader, "tval", tval);
    m_engine->Gfx_SetShader(m_shader);
    Draw(MakeQuad(kShadedX, kCompositeY, kTargetSize, kTargetSize, 0xFFFFFFFF, picture,
                  BLEND_DEFAULT));
    m_engine->Gfx_SetShader(0);
}

void DemoScene::DrawControls() {
    const HTEXTURE art = m_loadedTexture ? m_loadedTexture : m_madeTexture;
    Draw(MakeQuad(m_playerX - 20, m_playerY - 20, 40, 40, 0xFFFFFFFF, art, BLEND_DEFAULT));
    float mx = 0, my = 0;
    m_engine->Input_GetMousePos(&mx, &my);
    m_engine->Gfx_RenderLine(mx - 10, my, mx + 10, my, 0xFFC79BFF);
    m_engine->Gfx_RenderLine(mx, my - 10, mx, my + 10, 0xFFC79BFF);
}
