#include "toolkit/CollisionBox.h"

#include "platform/engine/Engine.h"

CollisionBox::CollisionBox(const float* xSource, const float* ySource, float width, float height,
                           float offsetX, float offsetY)
    : m_xSource(xSource), m_ySource(ySource), m_width(width), m_height(height), m_offsetX(offsetX),
      m_offsetY(offsetY) {}

void CollisionBox::SetSize(float width, float height) {
    m_width = width;
    m_height = height;
}

void CollisionBox::SetOffset(float offsetX, float offsetY) {
    m_offsetX = offsetX;
    m_offsetY = offsetY;
}

bool CollisionBox::Overlap(const CollisionBox& a, const CollisionBox& b) {
    return b.Top() <= a.Bottom() && b.Bottom() >= a.Top() && b.Left() <= a.Right() &&
           b.Right() >= a.Left();
}

bool CollisionBox::Contains(float px, float py) const {
    return px > Left() && px < Right() && py > Top() && py < Bottom();
}

void CollisionBox::DrawOutline() const {
    Engine* engine = EngineCreate(ENGINE_VERSION);
    const float left = Left(), top = Top(), right = Right(), bottom = Bottom();
    engine->Gfx_RenderLine(left, top, right, top, 0xFFFFFFFF, 0.5f);
    engine->Gfx_RenderLine(right, top, right, bottom, 0xFFFFFFFF, 0.5f);
    engine->Gfx_RenderLine(right, bottom, left, bottom, 0xFFFFFFFF, 0.5f);
    engine->Gfx_RenderLine(left, bottom, left, top, 0xFFFFFFFF, 0.5f);
    engine->Release();
}
