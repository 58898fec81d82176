#include "tools/artgen/Painter.h"

#include <algorithm>
#include <cmath>

namespace art {

Shader Lit(const Rgba& base, float cx, float cy, float r, float contrast) {
    return [=](float x, float y, float) {
        float l = content::DomeLight((x - cx) / r, (y - cy) / r);
        return content::Scale(base, 1.0f + (l - 0.75f) * contrast);
    };
}

Shader LitGrain(const Rgba& base, float cx, float cy, float r, float grainScale, float grain,
                uint32_t seed) {
    Shader lit = Lit(base, cx, cy, r);
    return [=](float x, float y, float d) {
        float n = content::Fbm(x / grainScale, y / grainScale, 0, 3, seed);
        return content::Scale(lit(x, y, d), 1.0f + (n - 0.5f) * grain);
    };
}

Shader Rimmed(const Rgba& base, float rim, float width) {
    return [=](float, float, float d) {
        float t = std::clamp(1.0f + d / width, 0.0f, 1.0f);
        return content::Scale(base, 1.0f - rim * t);
    };
}

void Glow(Image& img, float cx, float cy, float radius, const Rgba& colour, float alpha,
          float power) {
    int x0 = std::max(0, static_cast<int>(cx - radius - 1));
    int x1 = std::min(img.Width() - 1, static_cast<int>(cx + radius + 1));
    int y0 = std::max(0, static_cast<int>(cy - radius - 1));
    int y1 = std::min(img.Height() - 1, static_cast<int>(cy + radius + 1));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / radius;
            if (d < 1.0f) {
                img.Blend(x, y, colour, alpha * std::pow(1.0f - d, power));
            }
        }
    }
}

Image SoftDot(int size, float core, float power) {
    Image img(size, size);
    float c = size / 2.0f, r = size / 2.0f;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float d = std::hypot(x + 0.5f - c, y + 0.5f - c) / r;
            if (d < 1.0f) {
                float a =
                    std::pow(1.0f - d, power) * (1.0f - core) + core * std::exp(-d * d * 18.0f);
                img.At(x, y) = {1, 1, 1, std::min(1.0f, a)};
            }
        }
    }
    return img;
}

void ShadowedOutlined(Image& img, const Sdf& shape, const Shader& shader, uint32_t outlineBase,
                      float shadowDist) {
    content::Shadow(img, shape, shadowDist, shadowDist * 1.2f, shadowDist * 0.9f + 1.0f);
    content::FillOutlined(img, shape, shader, OutlineOf(outlineBase));
}

} // namespace art
