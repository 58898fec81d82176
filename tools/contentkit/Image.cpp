#include "tools/contentkit/Image.h"

#include "tools/contentkit/PngWriter.h"

#include <algorithm>
#include <cmath>

namespace content {

Rgba FromArgb(uint32_t argb, float alpha) {
    return {((argb >> 16) & 0xFF) / 255.0f, ((argb >> 8) & 0xFF) / 255.0f, (argb & 0xFF) / 255.0f,
            ((argb >> 24) & 0xFF) / 255.0f * alpha};
}

Rgba Mix(const Rgba& a, const Rgba& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

Rgba Scale(const Rgba& c, float k) {
    return {c.r * k, c.g * k, c.b * k, c.a};
}

Image::Image(int width, int height)
    : m_width(width), m_height(height), m_pixels(static_cast<size_t>(width) * height) {}

void Image::Blend(int x, int y, const Rgba& c, float cover) {
    if (!Inside(x, y)) {
        return;
    }
    float sa = std::clamp(c.a * cover, 0.0f, 1.0f);
    if (sa <= 0.0f) {
        return;
    }
    Rgba& d = At(x, y);
    float outA = sa + d.a * (1.0f - sa);
    if (outA <= 0.0f) {
        d = {};
        return;
    }
    auto over = [&](float s, float dst) { return (s * sa + dst * d.a * (1.0f - sa)) / outA; };
    d = {over(c.r, d.r), over(c.g, d.g), over(c.b, d.b), outA};
}

void Image::Draw(const Image& src, int x, int y, float opacity) {
    for (int sy = 0; sy < src.Height(); ++sy) {
        for (int sx = 0; sx < src.Width(); ++sx) {
            Blend(x + sx, y + sy, src.At(sx, sy), opacity);
        }
    }
}

Image Image::Crop(int x, int y, int w, int h) const {
    Image out(w, h);
    for (int yy = 0; yy < h; ++yy) {
        for (int xx = 0; xx < w; ++xx) {
            if (Inside(x + xx, y + yy)) {
                out.At(xx, yy) = At(x + xx, y + yy);
            }
        }
    }
    return out;
}

std::vector<uint8_t> Image::ToRgba8() const {
    std::vector<uint8_t> bytes(m_pixels.size() * 4);
    auto q = [](float v) {
        return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
    };
    for (size_t i = 0; i < m_pixels.size(); ++i) {
        const Rgba& p = m_pixels[i];
        // Fully transparent texels keep black so nearest sampling never shows junk colour.
        bool clear = q(p.a) == 0;
        bytes[i * 4 + 0] = clear ? 0 : q(p.r);
        bytes[i * 4 + 1] = clear ? 0 : q(p.g);
        bytes[i * 4 + 2] = clear ? 0 : q(p.b);
        bytes[i * 4 + 3] = q(p.a);
    }
    return bytes;
}

bool Image::SavePng(const std::string& path) const {
    return WritePng(path, m_width, m_height, ToRgba8());
}

} // namespace content
