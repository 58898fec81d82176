#include "editor/HoverLabel.h"

#include "editor/EditorWorld.h"
#include "editor/Inspector.h"
#include "toolkit/BitmapFont.h"
#include "toolkit/GuiBoxDrawing.h"

#include <algorithm>

void HoverLabel::Update(const EditorWorld& world, float worldX, float worldY, float time,
                        bool over) {
    const Placement* under = over ? world.TopmostAt(worldX, worldY) : nullptr;
    if (under != m_under) {
        m_under = under;
        m_since = time;
    }
    m_text.clear();
    if (under && time - m_since >= kDelay) {
        m_text = under->name + ": " + Inspector::ActionWords(*under);
    }
}

void HoverLabel::Render(BitmapFont& font, float x, float y, float screenWidth) {
    if (m_text.empty()) {
        return;
    }
    const float width = font.GetStringWidth(m_text.c_str(), false) + 8;
    const float height = font.GetHeight() + 4;
    // Below and right of the pointer, clear of the cursor sprite.
    const float left = std::clamp(x + 14, 0.0f, std::max(0.0f, screenWidth - width));
    const float top = y + 18;
    FillRect(m_fill, left, top, width, height, 0xC0101018);
    const std::uint32_t color = font.GetColor();
    font.SetColor(kBoxInk);
    font.Render(left + 4, top + 2, BitmapFont::kLeft, m_text.c_str());
    font.SetColor(color);
}
