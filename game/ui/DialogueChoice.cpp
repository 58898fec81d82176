#include "game/ui/DialogueChoice.h"

namespace {

float WidthIn(const BitmapFont* font, const std::string& text) {
    return font ? font->GetStringWidth(text.c_str()) : 0.0f;
}

} // namespace

DialogueChoice::DialogueChoice(BitmapFont* choiceFont, std::string label, int choiceIndex,
                               int screenWidth, int screenHeight)
    : font(choiceFont), text(std::move(label)), index(choiceIndex),
      x(static_cast<float>(screenWidth / 2)),
      y(static_cast<float>(screenHeight - 200 + 30 * choiceIndex)),
      box(&x, &y, WidthIn(font, text), font ? font->GetHeight() : 0.0f, -WidthIn(font, text) / 2,
          0.0f) {}
