// Signed-distance shapes (negative inside, in pixels) and the painters that
// turn them into anti-aliased coverage, shading, outlines and soft shadows.
#pragma once

#include "tools/contentkit/Image.h"

#include <functional>
#include <vector>

namespace content {

using Sdf = std::function<float(float x, float y)>;
// Colour at a point; d is the signed distance there, for rim and edge effects.
using Shader = std::function<Rgba(float x, float y, float d)>;

struct Vec2 {
    float x = 0, y = 0;
};

Sdf Circle(float cx, float cy, float r);
Sdf Ellipse(float cx, float cy, float rx, float ry, float angleDeg = 0);
Sdf Box(float cx, float cy, float hw, float hh, float round = 0, float angleDeg = 0);
Sdf Segment(float ax, float ay, float bx, float by, float r);
Sdf Polygon(std::vector<Vec2> points);
Sdf Union(Sdf a, Sdf b);
Sdf Subtract(Sdf a, Sdf b);
Sdf Intersect(Sdf a, Sdf b);
Sdf Offset(Sdf a, float grow); // grows (positive) or shrinks the shape
Sdf Translate(Sdf a, float dx, float dy);
Sdf Warp(Sdf a, std::function<float(float, float)> bump); // adds a bump field to the distance

// Paints the shape with the shader, pixel-centre sampled with 4x4 supersampling
// near edges. Only the pixels of the shape's bounding area are touched.
void Fill(Image& img, const Sdf& shape, const Shader& shader, float padding = 2);
void FillColor(Image& img, const Sdf& shape, const Rgba& colour);
// Fill over a known pixel area; with wrap the area may run over the image's
// edges and comes back on the other side (seamless tiles).
void FillArea(Image& img, const Sdf& shape, const Shader& shader, int x0, int y0, int x1, int y1,
              bool wrap);
// A soft shadow of the shape offset down-right: light comes from the upper left.
void Shadow(Image& img, const Sdf& shape, float dx, float dy, float blur, float alpha = 0.35f);
// Fill plus a one-pixel darker outline around it, for characters and items.
void FillOutlined(Image& img, const Sdf& shape, const Shader& shader, const Rgba& outline);

// Lighting helper: 0..1 brightness of a rounded surface, light from the upper left.
// (nx, ny) is the point relative to the centre divided by the radius.
float DomeLight(float nx, float ny);

} // namespace content
