#include "toolkit/GuiBoxDrawing.h"

#include "toolkit/BitmapFont.h"
#include "toolkit/Sprite.h"

void FillRect(Sprite& fill, float x, float y, float w, float h, std::uint32_t color) {
    fill.SetColor(color);
    fill.RenderStretch(x, y, x + w, y + h);
}

void OutlineRect(Engine& engine, float x, float y, float w, float h, std::uint32_t color) {
    engine.Gfx_RenderLine(x, y, x + w, y, color);
    engine.Gfx_RenderLine(x + w, y, x + w, y + h, color);
    engine.Gfx_RenderLine(x + w, y + h, x, y + h, color);
    engine.Gfx_RenderLine(x, y + h, x, y, color);
}

void FitLabel(BitmapFont* font, float x, float y, int align, std::uint32_t color,
              const std::string& text, float width) {
    if (!font) {
        return;
    }
    std::string shown = text;
    while (!shown.empty() && font->GetStringWidth(shown.c_str(), false) > width) {
        shown.erase(0, 1);
    }
    if (shown.size() < text.size() && shown.size() > 3) {
        shown.replace(0, 3, "...");
    }
    font->SetColor(color);
    font->Render(x, y, align, shown.c_str());
}
