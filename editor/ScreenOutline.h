// Boxes of the map outlined in screen pixels: lines on whole pixels, one
// pixel wide at every zoom, so no edge thins out and vanishes when the view
// is zoomed out (a world-space line is a quarter pixel wide at 25 %).
#pragma once

#include <cstdint>

class CollisionBox;

// How the map is shown: world (x, y) is on screen at ((x - cameraX) * zoom,
// (y - cameraY) * zoom).
struct MapView {
    float cameraX = 0;
    float cameraY = 0;
    float zoom = 1;

    float ScreenX(float worldX) const;
    float ScreenY(float worldY) const;
};

// Under a screen-space transform.
void DrawScreenOutline(const CollisionBox& box, const MapView& view,
                       std::uint32_t color = 0xFFFFFFFF);
