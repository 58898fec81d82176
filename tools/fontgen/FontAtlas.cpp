#include "tools/fontgen/FontAtlas.h"

#include "tools/contentkit/FontFace.h"
#include "tools/contentkit/Image.h"
#include "tools/contentkit/PngWriter.h"

#include <cstdio>
#include <vector>

namespace fontgen {

namespace {

constexpr unsigned kFirst = 32;
constexpr unsigned kLast = 126;

struct Cell {
    unsigned code;
    content::GlyphBitmap glyph;
    int x = 0, y = 0, w = 0;
};

int NextPow2(int v) {
    int p = 1;
    while (p < v) {
        p *= 2;
    }
    return p;
}

} // namespace

bool BuildFont(const FontSpec& font, const std::string& outDir) {
    content::FontFace face(content::DejaVuPath(font.ttf), font.pixelSize);
    if (!face.Ok()) {
        std::fprintf(stderr, "fontgen: cannot open %s\n", font.ttf.c_str());
        return false;
    }
    const int shadow = font.shadow ? 1 : 0;
    // Every cell spans the whole line so glyphs share one baseline when drawn
    // at the same y; the font's height is this line height.
    const int lineHeight = face.Ascender() + face.Descender() + shadow;
    const int texWidth = font.pixelSize > 16 ? 512 : 256;

    std::vector<Cell> cells;
    int penX = 1, penY = 1;
    for (unsigned code = kFirst; code <= kLast; ++code) {
        Cell c{code, face.Render(code)};
        c.w = c.glyph.width > 0 ? c.glyph.width + shadow : 0;
        if (penX + c.w + 1 > texWidth) {
            penX = 1;
            penY += lineHeight + 1;
        }
        c.x = penX;
        c.y = penY;
        penX += c.w + 1;
        cells.push_back(std::move(c));
    }
    const int texHeight = NextPow2(penY + lineHeight + 1);

    content::Image atlas(texWidth, texHeight);
    const content::Rgba white{1, 1, 1, 1};
    const content::Rgba dark = content::FromArgb(0xFF15110D, 0.85f);
    std::string fnt = "[BITMAPFONT]\nBitmap=" + font.name + ".png\n";
    for (const Cell& c : cells) {
        const content::GlyphBitmap& g = c.glyph;
        int top = c.y + face.Ascender() - g.top;
        for (int pass = shadow ? 0 : 1; pass < 2; ++pass) {
            int off = pass == 0 ? 1 : 0;
            for (int gy = 0; gy < g.height; ++gy) {
                for (int gx = 0; gx < g.width; ++gx) {
                    float cov = g.coverage[static_cast<size_t>(gy) * g.width + gx] / 255.0f;
                    int px = c.x + gx + off, py = top + gy + off;
                    // Glyph and shadow stay inside their own cell.
                    if (py >= c.y && py < c.y + lineHeight) {
                        atlas.Blend(px, py, pass == 0 ? dark : white, cov);
                    }
                }
            }
        }
        int pre = c.w > 0 ? g.left : 0;
        int post = g.advance - pre - c.w;
        char line[96];
        std::snprintf(line, sizeof line, "Char=%02X,%d,%d,%d,%d,%d,%d\n", c.code, c.x, c.y, c.w,
                      lineHeight, pre, post);
        fnt += line;
    }
    std::string base = outDir + "/fonts/" + font.name;
    return atlas.SavePng(base + ".png") && content::WriteBytes(base + ".fnt", fnt);
}

} // namespace fontgen
