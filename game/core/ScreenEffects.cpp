#include "game/core/ScreenEffects.h"

#include "game/core/Game.h"
#include "game/core/GameClock.h"
#include "platform/registry/Registry.h"
#include "toolkit/fx/FX_Emitter.h"
#include "toolkit/fx/FX_Manager.h"
#include "toolkit/fx/ScratchFolder.h"

ScreenEffects& TheScreenEffects() {
    return Registry::Current().Get<ScreenEffects>();
}

ScreenEffects::ScreenEffects()
    : m_engine(EngineCreate(ENGINE_VERSION)),
      m_screenWidth(m_engine->System_GetState(ENGINE_SCREENWIDTH)),
      m_screenHeight(m_engine->System_GetState(ENGINE_SCREENHEIGHT)) {
    const float width = static_cast<float>(m_screenWidth);
    const float height = static_cast<float>(m_screenHeight);
    Game* game = TheGame();
    const HTEXTURE picture = game ? m_engine->Target_GetTexture(game->renderTarget) : 0;

    if (HSHADER shader = m_engine->Shader_Create("shaders/shader1.psh")) {
        shaders[1] = shader;
    }
    effectsOn = false;
    rippleEnd = 0;
    m_screenSprite = std::make_unique<Sprite>(picture, 0.0f, 0.0f, width, height);
    m_mesh = std::make_unique<DistortionMesh>(kGrid, kGrid);
    m_mesh->SetTexture(picture);
    m_mesh->SetTextureRect(0, 0, width, height);
    m_mesh->FollowDisplacements(m_height.data());
    pulseDuration = 0;
    m_manager = std::make_unique<FX_Manager>(2, 0, false, "", ScratchFolder());
    m_manager->LoadEffectsFile("fx/effects.fxd");
}

ScreenEffects::~ScreenEffects() {
    // Emitters unload through the manager, so they go first.
    m_worldEffects.clear();
    m_manager.reset();
    for (const auto& [index, shader] : shaders) {
        m_engine->Shader_Free(shader);
    }
    m_mesh.reset();
    m_screenSprite.reset();
    m_engine->Release();
}

HSHADER ScreenEffects::CurrentShader() const {
    auto found = shaders.find(shaderIndex);
    return found == shaders.end() ? 0 : found->second;
}

void ScreenEffects::Step() {
    const GameClock& clock = TheGameClock();
    if (mode != 2 && shaderIndex == 0) {
        StepRipple(clock.delta, clock.time);
    }
    if (pulseActive) {
        if (HSHADER shader = CurrentShader()) {
            m_engine->Shader_SetFloat(shader, "tval", (clock.time - pulseStart) * 8);
        }
        if (clock.time > pulseStart + pulseDuration) {
            effectsOn = false;
            pulseActive = false;
        }
    }
}

void ScreenEffects::StepRipple(float dt, float t) {
    const int cellWidth = m_screenWidth / 127;
    const int cellHeight = m_screenHeight / 127;
    if (t < rippleEnd && cellWidth > 0 && cellHeight > 0) {
        const int cx = static_cast<int>(rippleX / static_cast<float>(cellWidth));
        const int cy = static_cast<int>(rippleY / static_cast<float>(cellHeight));
        if (cx >= 2 && cx <= 126 && cy >= 2 && cy <= 126) {
            for (int r = cy; r <= cy + 1 && r < 127; ++r) {
                for (int c = cx; c <= cx + 1 && c < 127; ++c) {
                    m_height[Index(r, c)] = -60.0f;
                }
            }
        }
    }
    // One sweep: the Laplacian of row r reads rows r - 1 .. r + 1 as they
    // were before this step, so row r - 1 takes its new height in the same
    // pass, each cell just after row r has read it. The mesh follows the
    // heights itself.
    AccelerateRow(1);
    for (int r = 2; r <= 126; ++r) {
        AccelerateRowMovingTheOneAbove(r, dt);
    }
    MoveRow(126, dt);
}

namespace {

constexpr int kRow = ScreenEffects::kGrid;

// The wave's two rules for one cell, shared by every pass below.
inline float Laplacian(const float* height, int c) {
    return height[c - kRow] + height[c + kRow] + height[c - 1] + height[c + 1] - 4 * height[c];
}

inline float Moved(float h, float velocity, float acceleration, float dt) {
    h += velocity * dt;
    h += velocity * dt + acceleration * 0.015f;
    return h * (1 - dt);
}

// Whole rows, border columns included, so the loops run over whole vectors
// with no branch; the border cells' results are thrown away (BorderKept).
void AccelerateWholeRow(float* __restrict acceleration, float* __restrict velocity,
                        const float* __restrict height) {
    for (int c = 0; c < kRow; ++c) {
        acceleration[c] = Laplacian(height, c);
        velocity[c] += acceleration[c];
    }
}

void MoveWholeRow(float* __restrict height, const float* __restrict velocity,
                  const float* __restrict acceleration, float dt) {
    for (int c = 0; c < kRow; ++c) {
        height[c] = Moved(height[c], velocity[c], acceleration[c], dt);
    }
}

// Row r's acceleration and velocity and row r - 1's new height in one pass:
// each height of row r - 1 is replaced right after row r's Laplacian has
// read it, which the loop order keeps for whole vectors too (the nearest
// later read of that row is 127 cells on).
// Twice as wide where the processor has it; without fused multiply-adds,
// so the heights stay the same to the bit.
#if defined(__GNUC__) && defined(__x86_64__) && defined(__ELF__)
__attribute__((target_clones("avx2", "default")))
#endif
void AccelerateWholeRowMovingTheOneAbove(float* height, float* __restrict velocity,
                                         float* __restrict acceleration,
                                         const float* __restrict velocityAbove,
                                         const float* __restrict accelerationAbove, float dt) {
    for (int c = 0; c < kRow; ++c) {
        const float above = height[c - kRow];
        const float a = Laplacian(height, c);
        acceleration[c] = a;
        velocity[c] += a;
        height[c - kRow] = Moved(above, velocityAbove[c], accelerationAbove[c], dt);
    }
}

// A row's first and last cells, put back as they were when it goes.
class BorderKept {
public:
    explicit BorderKept(float* row) : m_row(row), m_first(row[0]), m_last(row[kRow - 1]) {}
    ~BorderKept() {
        m_row[0] = m_first;
        m_row[kRow - 1] = m_last;
    }
    BorderKept(const BorderKept&) = delete;
    BorderKept& operator=(const BorderKept&) = delete;

private:
    float* m_row;
    float m_first, m_last;
};

} // namespace

void ScreenEffects::AccelerateRowMovingTheOneAbove(int r, float dt) {
    const BorderKept velocity(&m_velocity[Index(r, 0)]), heightAbove(&m_height[Index(r - 1, 0)]);
    AccelerateWholeRowMovingTheOneAbove(&m_height[Index(r, 0)], &m_velocity[Index(r, 0)],
                                        RowAcceleration(r), &m_velocity[Index(r - 1, 0)],
                                        RowAcceleration(r - 1), dt);
}

void ScreenEffects::AccelerateRow(int r) {
    const BorderKept velocity(&m_velocity[Index(r, 0)]);
    AccelerateWholeRow(RowAcceleration(r), &m_velocity[Index(r, 0)], &m_height[Index(r, 0)]);
}

void ScreenEffects::MoveRow(int r, float dt) {
    const BorderKept height(&m_height[Index(r, 0)]);
    MoveWholeRow(&m_height[Index(r, 0)], &m_velocity[Index(r, 0)], RowAcceleration(r), dt);
}

void ScreenEffects::UpdateWorldEffects() {
    for (auto it = m_worldEffects.begin(); it != m_worldEffects.end();) {
        // The library's own step, not the game's slowed delta: an effect keeps
        // its authored pace whether or not it interpolates.
        (*it)->Update(Fx_GetUpdateTime((*it)->GetHandle()));
        // A finished effect is destroyed, which unloads it from the library.
        it = (*it)->GetState() == FX_Emitter::kStopped ? m_worldEffects.erase(it) : std::next(it);
    }
}

void ScreenEffects::DrawWorldEffects() {
    for (const auto& emitter : m_worldEffects) {
        emitter->Draw();
    }
}

void ScreenEffects::Composite() {
    m_engine->Gfx_SetTransform(0, 0, 0.1f, 0.1f, 0, 1, 1);
    if (mode == 0) {
        m_mesh->Render(0, 0);
    } else if (mode == 2) {
        m_engine->Gfx_SetShader(CurrentShader());
        m_screenSprite->Render(0, 0);
        m_engine->Gfx_SetShader(0);
    }
}

void ScreenEffects::Ripple(float screenX, float screenY) {
    if (!hitEffects) {
        return;
    }
    effectsOn = true;
    mode = 0;
    shaderIndex = 0;
    rippleEnd = TheGameClock().time + 0.2f;
    rippleX = screenX;
    rippleY = screenY;
}

void ScreenEffects::ShaderPulse(float duration) {
    if (!hitEffects) {
        return;
    }
    pulseDuration = duration;
    pulseStart = TheGameClock().time;
    pulseActive = true;
    effectsOn = true;
}

bool ScreenEffects::StartEffect(const char* name, float x, float y) {
    std::unique_ptr<FX_Emitter> copy = m_manager->SpawnCopy(name, x, y);
    if (!copy) {
        return false;
    }
    m_worldEffects.push_back(std::move(copy));
    return true;
}

void ScreenEffects::UsePicture(HTEXTURE picture) {
    m_screenSprite->SetTexture(picture);
    m_mesh->SetTexture(picture);
}
