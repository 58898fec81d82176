// Ground patches: 512x512, seamless in both directions, so a map can lay
// them edge to edge. Dusk keeps them dark and cool; no outlines on ground.
#include "tools/artgen/Art.h"
#include "tools/artgen/Painter.h"

#include <cmath>

namespace art {

namespace {

constexpr int kSize = 512;

// Tileable fbm over the patch: the period is whole lattice cells.
float Tile(float x, float y, float cell, int octaves, uint32_t seed) {
    return content::Fbm(x / cell, y / cell, static_cast<int>(kSize / cell), octaves, seed);
}

// Fills every pixel from a colour function of the position.
template <typename F> void Paint(Image& img, F colourAt) {
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            img.At(x, y) = colourAt(x + 0.5f, y + 0.5f);
        }
    }
}

Rgba Ramp(const uint32_t (&colours)[4], float t) {
    t = std::clamp(t, 0.0f, 0.999f) * 3;
    int i = static_cast<int>(t);
    return content::Mix(FromArgb(colours[i]), FromArgb(colours[i + 1]), t - i);
}

// Short strokes (blades, cracks, twigs) scattered with wrap-around.
void Strokes(Image& img, int count, float len, float width, const Rgba& colour, uint32_t seed,
             float angleSpread) {
    content::Random rnd(seed);
    for (int i = 0; i < count; ++i) {
        float x = rnd.Float(0, kSize), y = rnd.Float(0, kSize);
        float a = -1.5708f + rnd.Float(-angleSpread, angleSpread);
        float l = len * rnd.Float(0.6f, 1.2f);
        float ex = x + std::cos(a) * l, ey = y + std::sin(a) * l;
        Rgba c = content::Scale(colour, rnd.Float(0.75f, 1.2f));
        content::FillArea(
            img, content::Segment(x, y, ex, ey, width), [&](float, float, float) { return c; },
            static_cast<int>(std::min(x, ex) - 3), static_cast<int>(std::min(y, ey) - 3),
            static_cast<int>(std::max(x, ex) + 3), static_cast<int>(std::max(y, ey) + 3), true);
    }
}

Image Grass() {
    Image img(kSize, kSize);
    const uint32_t ramp[4] = {pal::kNight1, pal::kMoss0, pal::kMoss1, pal::kMoss2};
    Paint(img, [&](float x, float y) {
        float n = Tile(x, y, 64, 4, 1);
        float fine = Tile(x, y, 8, 2, 2);
        Rgba c = Ramp(ramp, 0.2f + 0.6f * n + 0.25f * (fine - 0.5f));
        return content::Mix(c, FromArgb(pal::kNight2), 0.3f); // dusk cools the green
    });
    Strokes(img, 2600, 6, 0.55f, FromArgb(pal::kMoss2, 0.75f), 3, 0.6f);
    Strokes(img, 700, 5, 0.5f, FromArgb(pal::kMoss3, 0.5f), 4, 0.5f);
    Strokes(img, 700, 5, 0.6f, FromArgb(pal::kMoss0), 5, 0.7f);
    return img;
}

Image Moss() {
    Image img(kSize, kSize);
    const uint32_t ramp[4] = {pal::kNight0, pal::kMoss0, pal::kMoss1, pal::kMoss2};
    Paint(img, [&](float x, float y) {
        float n = Tile(x, y, 32, 4, 11);
        float clumps = Tile(x, y, 8, 2, 12);
        float t = 0.15f + 0.55f * n + 0.35f * std::pow(clumps, 3.0f);
        return content::Mix(Ramp(ramp, t), FromArgb(pal::kNight2), 0.25f);
    });
    content::Random rnd(13);
    for (int i = 0; i < 500; ++i) {
        float x = rnd.Float(0, kSize), y = rnd.Float(0, kSize), r = rnd.Float(0.6f, 1.4f);
        Rgba c = FromArgb(i % 5 == 0 ? pal::kEarth2 : pal::kMoss3, 0.35f);
        content::FillArea(
            img, content::Circle(x, y, r), [&](float, float, float) { return c; },
            static_cast<int>(x - 3), static_cast<int>(y - 3), static_cast<int>(x + 3),
            static_cast<int>(y + 3), true);
    }
    return img;
}

Image Dirt() {
    Image img(kSize, kSize);
    const uint32_t ramp[4] = {pal::kNight0, pal::kWood0, pal::kWood1, pal::kWood2};
    Paint(img, [&](float x, float y) {
        float n = Tile(x, y, 64, 4, 21);
        float fine = Tile(x, y, 4, 2, 22);
        Rgba c = Ramp(ramp, 0.3f + 0.45f * n + 0.2f * (fine - 0.5f));
        return content::Mix(c, FromArgb(pal::kNight2), 0.3f); // dusk cools the earth
    });
    content::Random rnd(23);
    for (int i = 0; i < 160; ++i) {
        float x = rnd.Float(0, kSize), y = rnd.Float(0, kSize);
        float rx = rnd.Float(1.5f, 4.5f), ry = rx * rnd.Float(0.6f, 1.0f), a = rnd.Float(0, 180);
        Sdf pebble = content::Ellipse(x, y, rx, ry, a);
        content::FillArea(
            img, content::Translate(pebble, 1.2f, 1.5f),
            [](float, float, float) {
                return Rgba{0, 0, 0.03f, 0.35f};
            },
            static_cast<int>(x - 7), static_cast<int>(y - 7), static_cast<int>(x + 8),
            static_cast<int>(y + 8), true);
        content::FillArea(img, pebble, Lit(FromArgb(i % 3 ? pal::kStone0 : pal::kStone1), x, y, rx),
                          static_cast<int>(x - 6), static_cast<int>(y - 6), static_cast<int>(x + 6),
                          static_cast<int>(y + 6), true);
    }
    Strokes(img, 120, 7, 0.6f, FromArgb(pal::kWood1), 24, 3.1f);
    return img;
}

Image Flagstones() {
    Image img(kSize, kSize);
    // Mortar first: dark moss between the stones.
    Paint(img, [&](float x, float y) {
        return Ramp({pal::kNight0, pal::kMoss0, pal::kMoss1, pal::kMoss2},
                    0.2f + 0.4f * Tile(x, y, 16, 3, 31));
    });
    content::Random rnd(32);
    const int rowH = 64;
    for (int row = 0; row < kSize / rowH; ++row) {
        // Stone widths of a row add up to the patch width, so rows tile.
        int x = rnd.Int(0, 40);
        int end = x + kSize;
        while (x < end) {
            int w = std::min(end - x, rnd.Int(52, 100));
            if (end - x - w < 40) {
                w = end - x;
            }
            float cx = x + w / 2.0f, cy = row * rowH + rowH / 2.0f;
            float hw = w / 2.0f - 2.5f, hh = rowH / 2.0f - 2.5f;
            uint32_t seed = rnd.Next();
            float tone = rnd.Float(0.8f, 1.1f);
            Sdf stone = content::Warp(content::Box(cx, cy, hw, hh, 6), [seed](float px, float py) {
                return (content::Fbm(px / 10, py / 10, 0, 2, seed) - 0.5f) * 3.0f;
            });
            Rgba base = content::Scale(
                content::Mix(FromArgb(pal::kStone0), FromArgb(pal::kStone1), 0.5f), tone);
            content::FillArea(
                img, stone,
                [&, cx, cy, hw, hh](float px, float py, float d) {
                    float n = Tile(px, py, 6, 3, 33);
                    float l = 1.0f + 0.12f * ((cx - px) / hw + (cy - py) / hh) * 0.5f;
                    float edge = std::clamp(1.0f + d / 4.0f, 0.0f, 1.0f);
                    Rgba c = content::Scale(base, l * (0.85f + 0.3f * n) * (1.0f - 0.25f * edge));
                    // Moss creeping in from the cracks.
                    float moss = std::clamp((Tile(px, py, 24, 3, 34) - 0.62f) * 4.0f, 0.0f, 0.7f);
                    return content::Mix(c, FromArgb(pal::kMoss1), moss);
                },
                x - 2, row * rowH - 2, x + w + 2, row * rowH + rowH + 2, true);
            x += w;
        }
    }
    return img;
}

} // namespace

void DrawGround(std::vector<SpriteSheet>& patches) {
    struct Patch {
        const char* name;
        Image (*draw)();
    };
    const Patch list[] = {{"ground_grass", Grass},
                          {"ground_moss", Moss},
                          {"ground_dirt", Dirt},
                          {"ground_flagstones", Flagstones}};
    for (const Patch& p : list) {
        std::string file = std::string("gfx/") + p.name + ".png";
        patches.emplace_back(std::string("tex_") + p.name, file, kSize, kSize,
                             std::string("Seamless ground patch ") + p.name);
        patches.back().Add(p.name, p.draw());
    }
}

} // namespace art
