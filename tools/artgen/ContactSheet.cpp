// A review picture of every sprite on the night ground, small ones enlarged,
// each labelled with its resource name.
#include "tools/artgen/Art.h"
#include "tools/artgen/Painter.h"
#include "tools/contentkit/FontFace.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

float ScaleFor(const SpriteEntry& s) {
    int m = std::max(s.w, s.h);
    return m <= 32 ? 3.0f : m <= 80 ? 2.0f : m <= 300 ? 1.0f : 0.5f;
}

// Nearest for enlarging (pixel-crisp, as the game samples), box filter for halving.
Image Resize(const Image& src, float k) {
    int w = std::max(1, static_cast<int>(src.Width() * k)),
        h = std::max(1, static_cast<int>(src.Height() * k));
    Image out(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (k >= 1) {
                out.At(x, y) = src.At(static_cast<int>(x / k), static_cast<int>(y / k));
                continue;
            }
            Rgba sum{};
            int n = static_cast<int>(1 / k);
            for (int j = 0; j < n; ++j) {
                for (int i = 0; i < n; ++i) {
                    const Rgba& p = src.At(std::min(src.Width() - 1, x * n + i),
                                           std::min(src.Height() - 1, y * n + j));
                    sum = {sum.r + p.r * p.a, sum.g + p.g * p.a, sum.b + p.b * p.a, sum.a + p.a};
                }
            }
            float a = sum.a / (n * n);
            out.At(x, y) =
                sum.a > 0 ? Rgba{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, a} : Rgba{};
        }
    }
    return out;
}

} // namespace

Image ContactSheet(const std::vector<const SpriteSheet*>& sheets, const Image& enemies) {
    content::FontFace font(content::DejaVuPath("DejaVuSans.ttf"), 12);
    const int width = 1800, pad = 10, labelH = 18;
    struct Placed {
        const SpriteEntry* s;
        Image pic;
        int x, y, cellW, cellH;
    };
    std::vector<Placed> placed;
    const int top = enemies.Width() > 0 ? enemies.Height() + pad : 0;
    int x = pad, y = pad + top, rowH = 0;
    for (const SpriteSheet* sheet : sheets) {
        for (const SpriteEntry& s : sheet->Sprites()) {
            Image pic = Resize(s.picture, ScaleFor(s));
            int cellW = std::max(pic.Width(), font.TextWidth(s.name)) + 2 * pad;
            int cellH = pic.Height() + labelH + 2 * pad;
            if (x + cellW > width - pad) {
                x = pad;
                y += rowH + pad;
                rowH = 0;
            }
            placed.push_back({&s, std::move(pic), x, y, cellW, cellH});
            x += cellW + pad;
            rowH = std::max(rowH, cellH);
        }
    }
    Image sheet(width, y + rowH + pad);
    for (int yy = 0; yy < sheet.Height(); ++yy) {
        for (int xx = 0; xx < width; ++xx) {
            sheet.At(xx, yy) = FromArgb(pal::kNight0);
        }
    }
    sheet.Draw(enemies, pad, pad);
    const Rgba label = FromArgb(pal::kParchment);
    for (const Placed& p : placed) {
        for (int yy = 0; yy < p.cellH; ++yy) {
            for (int xx = 0; xx < p.cellW; ++xx) {
                bool check = ((xx / 8) + (yy / 8)) % 2 == 0;
                sheet.At(p.x + xx, p.y + yy) = FromArgb(check ? pal::kNight1 : 0xFF1D2030);
            }
        }
        sheet.Draw(p.pic, p.x + (p.cellW - p.pic.Width()) / 2, p.y + pad);
        font.Draw(sheet, p.x + pad, p.y + p.cellH - pad / 2 - 4, p.s->name, label);
    }
    return sheet;
}

} // namespace art
