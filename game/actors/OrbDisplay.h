// The four orb counts along the bottom of the screen, with a glow behind
// the chosen elements.
#pragma once

#include "platform/engine/Engine.h"
#include "toolkit/Sprite.h"

#include <cstdint>
#include <memory>
#include <vector>

class ResourceManager;
class BitmapFont;

// Sets up the clock's orb sprite and builds the glow sprite by blurring the
// texture "t_spellorb".
void InitOrbDisplay(ResourceManager& resources);
void RenderOrbDisplay(BitmapFont& font, int screenWidth, int screenHeight);

// The blur of the glow: 7 wide across, then 7 down with three quarters of
// the alpha; borders count missing pixels as black. in and out hold 64 x 64
// ARGB pixels.
void BlurOrbGlow(const unsigned* in, unsigned* out);

// The 64 x 64 the blur reads from a texture of any size: its top-left corner
// of a larger one, a smaller one with transparent pixels around it.
std::vector<unsigned> GlowSource(const std::uint32_t* pixels, int width, int height);
// The glow sprite over a new texture blurred from the source, flipped
// vertically and drawn additively; nullptr when the source has no pixels.
std::unique_ptr<Sprite> MakeOrbGlow(Engine& engine, HTEXTURE source);
