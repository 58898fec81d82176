// A floating-point RGBA picture with straight alpha: what every generator
// draws into before it is quantised once into a PNG.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace content {

struct Rgba {
    float r = 0, g = 0, b = 0, a = 0;
};

// Palette entries are written as ARGB hex like the rest of the game.
Rgba FromArgb(uint32_t argb, float alpha = 1.0f);
Rgba Mix(const Rgba& a, const Rgba& b, float t);
Rgba Scale(const Rgba& c, float k); // scales the colour, keeps alpha

class Image {
public:
    Image() = default;
    Image(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    Rgba& At(int x, int y) { return m_pixels[static_cast<size_t>(y) * m_width + x]; }
    const Rgba& At(int x, int y) const { return m_pixels[static_cast<size_t>(y) * m_width + x]; }

    // Composites `c` over the pixel with the extra coverage `cover` (0..1).
    void Blend(int x, int y, const Rgba& c, float cover = 1.0f);
    // Draws another image over this one with its top-left at (x, y).
    void Draw(const Image& src, int x, int y, float opacity = 1.0f);
    Image Crop(int x, int y, int w, int h) const;

    // 8-bit RGBA rows, rounded; the only place quantisation happens.
    std::vector<uint8_t> ToRgba8() const;
    bool SavePng(const std::string& path) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<Rgba> m_pixels;
};

} // namespace content
