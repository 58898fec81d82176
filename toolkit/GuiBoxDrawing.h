// How the programs' own boxes (the file chooser, questions, messages) draw:
// filled rectangles, outlines and labels cut to a width.
#pragma once

#include "platform/engine/Engine.h"

#include <cstdint>
#include <string>

class BitmapFont;
class Sprite;

// The boxes' colours and button height.
constexpr std::uint32_t kBoxInk = 0xFFE9DDBF;
constexpr std::uint32_t kBoxAccent = 0xFF8A4FD0;
constexpr float kBoxButtonHeight = 17;

void FillRect(Sprite& fill, float x, float y, float w, float h, std::uint32_t color);
void OutlineRect(Engine& engine, float x, float y, float w, float h, std::uint32_t color);
// Text cut to the width, keeping its end (a folder's last parts, a name's
// last letters are what matter).
void FitLabel(BitmapFont* font, float x, float y, int align, std::uint32_t color,
              const std::string& text, float width);
