// duskmaw-fontgen --out DATA_DIR
// Writes every bitmap font the game and the editor use into DATA_DIR/fonts.
#include "tools/fontgen/FontAtlas.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    const char* out = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--out") == 0) {
            out = argv[i + 1];
        }
    }
    if (!out) {
        std::fprintf(stderr, "usage: duskmaw-fontgen --out DATA_DIR\n");
        return 2;
    }
    const fontgen::FontSpec fonts[] = {
        {"font", "DejaVuSans.ttf", 14, true},  // HUD and the editor's help
        {"font3", "DejaVuSans.ttf", 10, true}, // editor panel: 14-px lines, 9 fill the list
        {"alert_font", "DejaVuSans-Bold.ttf", 18, true}, // floating notices
        {"dial", "DejaVuSerif.ttf", 20, true},           // dialogue lines, tooltips
        {"subdial", "DejaVuSerif-Italic.ttf", 18, true}, // dialogue choices
        {"book", "DejaVuSerif.ttf", 17, false},          // ink on parchment: no shadow
    };
    bool ok = true;
    for (const fontgen::FontSpec& f : fonts) {
        ok = fontgen::BuildFont(f, out) && ok;
    }
    return ok ? 0 : 1;
}
