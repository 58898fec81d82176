#include "editor/GridLines.h"

#include "platform/engine/Engine.h"

#include <cmath>

namespace {

constexpr std::uint32_t kGridColor = 0x38FFFFFF;

} // namespace

void DrawGridLines(const MapView& view, float left, float screenWidth, float screenHeight) {
    if (view.zoom <= 0) {
        return;
    }
    Engine* engine = EngineCreate(ENGINE_VERSION);
    // The first multiple of the step at or left of (above) the view's edge.
    const float firstX = std::floor((view.cameraX + left / view.zoom) / kGridStep) * kGridStep;
    const float firstY = std::floor(view.cameraY / kGridStep) * kGridStep;
    for (float x = firstX; view.ScreenX(x) <= screenWidth; x += kGridStep) {
        const float sx = view.ScreenX(x);
        if (sx >= left) {
            engine->Gfx_RenderLine(sx, 0, sx, screenHeight, kGridColor, 0.9f);
        }
    }
    for (float y = firstY; view.ScreenY(y) <= screenHeight; y += kGridStep) {
        const float sy = view.ScreenY(y);
        if (sy >= 0) {
            engine->Gfx_RenderLine(left, sy, screenWidth, sy, kGridColor, 0.9f);
        }
    }
    engine->Release();
}
