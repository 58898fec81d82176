// Packs the glyphs of one face into a texture and writes the matching
// ".fnt" description (magic line, Bitmap line, one Char line per byte).
#pragma once

#include <string>

namespace fontgen {

struct FontSpec {
    std::string name; // output stem, e.g. "font" for fonts/font.fnt
    std::string ttf;  // DejaVu file name
    int pixelSize;    // FreeType pixel size
    bool shadow;      // bake a one-pixel dark shadow into each glyph
};

// Writes DIR/fonts/<name>.fnt and DIR/fonts/<name>.png; false on failure.
bool BuildFont(const FontSpec& font, const std::string& outDir);

} // namespace fontgen
