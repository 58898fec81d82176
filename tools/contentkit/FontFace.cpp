#include "tools/contentkit/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>

namespace content {

std::string DejaVuPath(const std::string& file) {
    const char* dir = std::getenv("DUSKMAW_DEJAVU_DIR");
    return std::string(dir ? dir : "/usr/share/fonts/truetype/dejavu") + "/" + file;
}

FontFace::FontFace(const std::string& ttfPath, int pixelSize) {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) {
        return;
    }
    m_library = lib;
    FT_Face face = nullptr;
    if (FT_New_Face(lib, ttfPath.c_str(), 0, &face) != 0) {
        return;
    }
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
    m_face = face;
    m_ascender = static_cast<int>((face->size->metrics.ascender + 63) >> 6);
    m_descender = static_cast<int>((-face->size->metrics.descender + 63) >> 6);
}

FontFace::~FontFace() {
    if (m_face) {
        FT_Done_Face(static_cast<FT_Face>(m_face));
    }
    if (m_library) {
        FT_Done_FreeType(static_cast<FT_Library>(m_library));
    }
}

GlyphBitmap FontFace::Render(unsigned code) const {
    GlyphBitmap g;
    if (!m_face) {
        return g;
    }
    FT_Face face = static_cast<FT_Face>(m_face);
    // Light hinting keeps stems on whole pixels (textures are sampled nearest).
    if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) {
        return g;
    }
    FT_GlyphSlot slot = face->glyph;
    g.width = static_cast<int>(slot->bitmap.width);
    g.height = static_cast<int>(slot->bitmap.rows);
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    g.coverage.resize(static_cast<size_t>(g.width) * g.height);
    for (int y = 0; y < g.height; ++y) {
        for (int x = 0; x < g.width; ++x) {
            g.coverage[static_cast<size_t>(y) * g.width + x] =
                slot->bitmap.buffer[y * slot->bitmap.pitch + x];
        }
    }
    return g;
}

int FontFace::TextWidth(const std::string& text) const {
    int w = 0;
    for (unsigned char c : text) {
        w += Render(c).advance;
    }
    return w;
}

void FontFace::Draw(Image& img, int x, int y, const std::string& text, const Rgba& colour,
                    const Rgba* shadow) const {
    int pen = x;
    for (unsigned char c : text) {
        GlyphBitmap g = Render(c);
        for (int pass = shadow ? 0 : 1; pass < 2; ++pass) {
            const Rgba& col = pass == 0 ? *shadow : colour;
            int off = pass == 0 ? 1 : 0;
            for (int gy = 0; gy < g.height; ++gy) {
                for (int gx = 0; gx < g.width; ++gx) {
                    float cov = g.coverage[static_cast<size_t>(gy) * g.width + gx] / 255.0f;
                    img.Blend(pen + g.left + gx + off, y - g.top + gy + off, col, cov);
                }
            }
        }
        pen += g.advance;
    }
}

} // namespace content
