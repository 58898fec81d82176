// One TrueType face at one pixel size, rasterised with FreeType into
// anti-aliased coverage bitmaps; used for fonts and for labels in art.
#pragma once

#include "tools/contentkit/Image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace content {

struct GlyphBitmap {
    int width = 0, height = 0;
    int left = 0;    // pen to the bitmap's left edge
    int top = 0;     // baseline to the bitmap's top edge (up is positive)
    int advance = 0; // whole pixels
    std::vector<uint8_t> coverage;
};

class FontFace {
public:
    FontFace(const std::string& ttfPath, int pixelSize);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    bool Ok() const { return m_face != nullptr; }
    GlyphBitmap Render(unsigned code) const;
    int Ascender() const { return m_ascender; }
    int Descender() const { return m_descender; } // positive, below the baseline
    int TextWidth(const std::string& text) const;
    // Draws text with its baseline at y, optionally with a 1-px shadow down-right.
    void Draw(Image& img, int x, int y, const std::string& text, const Rgba& colour,
              const Rgba* shadow = nullptr) const;

private:
    void* m_library = nullptr;
    void* m_face = nullptr;
    int m_ascender = 0;
    int m_descender = 0;
};

// The DejaVu faces the content uses, from the Debian package.
std::string DejaVuPath(const std::string& file);

} // namespace content
