// The 32-pixel grid drawn faintly under the placements while the grid is
// on, following the camera and the zoom, on whole screen pixels.
#pragma once

#include "editor/ScreenOutline.h"

constexpr float kGridStep = 32.0f;

// Under a screen-space transform; the lines cross the screen from x = left.
void DrawGridLines(const MapView& view, float left, float screenWidth, float screenHeight);
