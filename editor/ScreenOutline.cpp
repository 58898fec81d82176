#include "editor/ScreenOutline.h"

#include "platform/engine/Engine.h"
#include "toolkit/CollisionBox.h"
#include "toolkit/GuiBoxDrawing.h"

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
    OutlineRect(*engine, left, top, right - left, bottom - top, color);
    engine->Release();
}
