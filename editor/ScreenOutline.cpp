#include "editor/ScreenOutline.h"

#include "platform/engine/Engine.h"
#include "toolkit/CollisionBox.h"

#include <cmath>

float MapView::ScreenX(float worldX) const {
    return std::round((worldX - cameraX) * zoom);
}

float MapView::ScreenY(float worldY) const {
    return std::round((worldY - cameraY) * zoom);
}

void DrawScreenOutline(const CollisionBox& box, const MapView& view, std::uint32_t color) {
    Engine* engine = EngineCreate(ENGINE_VERSION);
    const float left = view.ScreenX(box.Left()), top = view.ScreenY(box.Top());
    const float right = view.ScreenX(box.Right()), bottom = view.ScreenY(box.Bottom());
    engine->Gfx_RenderLine(left, top, right, top, color, 0.5f);
    engine->Gfx_RenderLine(right, top, right, bottom, color, 0.5f);
    engine->Gfx_RenderLine(right, bottom, left, bottom, color, 0.5f);
    engine->Gfx_RenderLine(left, bottom, left, top, color, 0.5f);
    engine->Release();
}
