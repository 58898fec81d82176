// The four orb counts along the bottom of the screen, with a glow behind
// the chosen elements.
#pragma once

class ResourceManager;
class BitmapFont;

// Sets up the clock's orb sprite and builds the glow sprite by blurring the
// texture "t_spellorb" (64 x 64).
void InitOrbDisplay(ResourceManager& resources);
void RenderOrbDisplay(BitmapFont& font, int screenWidth, int screenHeight);

// The blur of the glow: 7 wide across, then 7 down with three quarters of
// the alpha; borders count missing pixels as black. in and out hold 64 x 64
// ARGB pixels.
void BlurOrbGlow(const unsigned* in, unsigned* out);
