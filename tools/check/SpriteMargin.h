// How far a sprite's rectangle reaches past what is drawn in it. A blocking
// entity's box is its sprite's size, so every empty row or column at an
// edge is a strip where the player is stopped by nothing he can see.
#pragma once

#include <cstdint>

class Engine;
class ResourceManager;
class RSprite;

// Pixels this faint (alpha below it, of 255) are not seen against the ground.
constexpr std::uint32_t kFaintAlpha = 32;
// What a blocking sprite may keep: room for its anti-aliased edge.
constexpr int kMarginAllowed = 4;

// The widest run of empty rows or columns at any of the four edges of the
// rectangle (w x h at x, y) of ARGB pixels whose rows are pitch apart. A
// rectangle with nothing drawn is empty to its full width or height.
int WidestEmptyMargin(const std::uint32_t* pixels, int pitch, int x, int y, int w, int h);

// The same for a sprite of the resource script, read from its texture; -1
// when its texture cannot be read or the rectangle leaves it (told apart).
int SpriteEmptyMargin(Engine& engine, ResourceManager& resources, const RSprite& sprite);
