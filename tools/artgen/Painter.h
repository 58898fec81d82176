// Small drawing vocabulary shared by the art: lit fills, glows and textures.
#pragma once

#include "tools/artgen/Palette.h"
#include "tools/contentkit/Noise.h"
#include "tools/contentkit/Shape.h"

namespace art {

using content::Image;
using content::Sdf;
using content::Shader;

// A rounded surface lit from the upper left around (cx, cy) with radius r.
Shader Lit(const Rgba& base, float cx, float cy, float r, float contrast = 1.0f);
// Lit, with a noise grain (stone, bark, cloth) of the given scale in pixels.
Shader LitGrain(const Rgba& base, float cx, float cy, float r, float grainScale, float grain,
                uint32_t seed);
// Flat colour darkened towards the shape's rim by `rim` (0..1) over `width` pixels.
Shader Rimmed(const Rgba& base, float rim, float width);

// A soft radial glow: alpha falls from `alpha` at the centre to 0 at radius.
void Glow(Image& img, float cx, float cy, float radius, const Rgba& colour, float alpha,
          float power = 2.0f);
// A white particle image of size x size: soft glow with a brighter core.
Image SoftDot(int size, float core, float power);

// Standard sprite finish: soft shadow down-right, then the shape with outline.
void ShadowedOutlined(Image& img, const Sdf& shape, const Shader& shader, uint32_t outlineBase,
                      float shadowDist = 3.0f);

} // namespace art
