// The four kinds of enemy as they look in flight, side by side on the dusk
// ground, for the contact sheet: a still of each particle system, made from
// the same descriptions the particle compiler turns into fx/*.psi, with the
// images, speeds, sizes and minion tints the game gives them. Particles are
// followed from their birth at the moving head to now, without the random
// colour variation, so the picture is the same on every run.
#include "tools/artgen/Art.h"
#include "tools/artgen/Painter.h"
#include "tools/contentkit/FontFace.h"
#include "tools/psicompile/PsiDescription.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

namespace art {

namespace {

constexpr float kPi = 3.14159265f;

struct Look {
    float emission = 0, lifeMin = 0, lifeMax = 0, spread = 0;
    float speedMin = 0, speedMax = 0, radialMin = 0, radialMax = 0, tangMin = 0, tangMax = 0;
    float sizeStart = 0, sizeEnd = 0;
    Rgba start, end;
};

float F32(const psi::Record& r, size_t offset) {
    float v = 0;
    std::memcpy(&v, r.data() + offset, sizeof v);
    return v;
}

bool ReadLook(const std::string& file, Look& look) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    const psi::Result compiled = psi::Compile(text.str());
    if (!in || !compiled.ok) {
        return false;
    }
    const psi::Record& r = compiled.record;
    auto tail = [&](int i) { return F32(r, 32 + 4 * static_cast<size_t>(i)); };
    std::uint32_t emission = 0;
    std::memcpy(&emission, r.data() + 4, sizeof emission);
    look.emission = static_cast<float>(emission);
    look.lifeMin = F32(r, 12);
    look.lifeMax = F32(r, 16);
    look.spread = F32(r, 24);
    look.speedMin = tail(0);
    look.speedMax = tail(1);
    look.radialMin = tail(4);
    look.radialMax = tail(5);
    look.tangMin = tail(6);
    look.tangMax = tail(7);
    look.sizeStart = tail(8);
    look.sizeEnd = tail(9);
    look.start = {tail(14), tail(15), tail(16), tail(17)};
    look.end = {tail(18), tail(19), tail(20), tail(21)};
    return true;
}

// A fixed sequence of numbers in [0, 1).
struct Dice {
    std::uint32_t state;
    float Next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / 16777216.0f;
    }
    float Between(float a, float b) { return a + (b - a) * Next(); }
};

// Additive, as the game draws these images: colour times image, added.
void Stamp(Image& dst, const Image& image, float cx, float cy, float size, const Rgba& colour) {
    const float half = image.Width() * size / 2;
    const int x0 = static_cast<int>(std::floor(cx - half)), x1 = static_cast<int>(cx + half);
    const int y0 = static_cast<int>(std::floor(cy - half)), y1 = static_cast<int>(cy + half);
    for (int y = std::max(0, y0); y <= std::min(dst.Height() - 1, y1); ++y) {
        for (int x = std::max(0, x0); x <= std::min(dst.Width() - 1, x1); ++x) {
            const int u = static_cast<int>((x + 0.5f - (cx - half)) / size);
            const int v = static_cast<int>((y + 0.5f - (cy - half)) / size);
            if (!image.Inside(u, v)) {
                continue;
            }
            const Rgba& s = image.At(u, v);
            const float a = s.a * colour.a;
            Rgba& d = dst.At(x, y);
            d.r = std::min(1.0f, d.r + s.r * colour.r * a);
            d.g = std::min(1.0f, d.g + s.g * colour.g * a);
            d.b = std::min(1.0f, d.b + s.b * colour.b * a);
        }
    }
}

// The particles alive now of a system whose head moved right at `speed`
// and is at (hx, hy).
void DrawKind(Image& dst, const Image& image, const Look& look, float hx, float hy, float speed,
              float sizeScale, std::uint32_t seed) {
    Dice dice{seed};
    const float dt = 1.0f / 60;
    const int born = static_cast<int>(look.emission * look.lifeMax);
    for (int n = born - 1; n >= 0; --n) { // oldest first, the head on top
        const float age = (n + dice.Next()) / look.emission;
        const float life = dice.Between(look.lifeMin, look.lifeMax);
        const float angle = dice.Between(-look.spread / 2, look.spread / 2) * kPi / 180;
        const float launch = dice.Between(look.speedMin, look.speedMax);
        const float radial = dice.Between(look.radialMin, look.radialMax);
        const float tangential = dice.Between(look.tangMin, look.tangMax);
        if (age >= life) {
            continue;
        }
        float x = hx - speed * age, y = hy;
        const float ex = x, ey = y; // where it was shed
        float vx = launch * std::sin(angle), vy = -launch * std::cos(angle);
        for (float t = 0; t < age; t += dt) {
            float rx = x - ex, ry = y - ey;
            const float r = std::max(0.5f, std::hypot(rx, ry));
            rx /= r;
            ry /= r;
            vx += (radial * rx - tangential * ry) * dt;
            vy += (radial * ry + tangential * rx) * dt;
            x += vx * dt;
            y += vy * dt;
        }
        const float k = age / life;
        const Rgba colour = content::Mix(look.start, look.end, k);
        const float size = (look.sizeStart + (look.sizeEnd - look.sizeStart) * k) * sizeScale;
        Stamp(dst, image, x, y, std::max(0.05f, size), colour);
    }
}

const SpriteEntry* Find(const std::vector<const SpriteSheet*>& sheets, const std::string& name) {
    for (const SpriteSheet* sheet : sheets) {
        for (const SpriteEntry& s : sheet->Sprites()) {
            if (s.name == name) {
                return &s;
            }
        }
    }
    return nullptr;
}

} // namespace

Image EnemyStrip(const std::vector<const SpriteSheet*>& sheets, const std::string& effects) {
    struct Kind {
        const char* label;
        const char* file;
        const char* image;
        float speed, scale;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> tints; // minions: one per element
    };
    const Kind kinds[] = {
        {"minion souls (fire, ice, earth, wind)",
         "enemy.txt",
         "basic_enemy",
         140,
         1,
         {{0xFFFF0A00, 0xFFFF781E},
          {0xFF0000FF, 0xFFC8C8FF},
          {0xFF00FF00, 0xFFC8FFC8},
          {0xFFFFFFFF, 0xFFFFFFFF}}},
        {"Aggrevator", "aggrevator.txt", "enemy_aggrevator", 300, 1, {}},
        {"Mage", "mage.txt", "enemy_mage", 200, 1, {}},
        {"the Mage's fireball", "projectile2.txt", "sp_Fireball", 400, 1, {}},
    };
    const int cellW = 330, cellH = 230, pad = 10;
    Image strip(4 * cellW + 5 * pad, cellH + 2 * pad);
    const SpriteEntry* ground = Find(sheets, "ground_grass");
    for (int y = 0; y < strip.Height(); ++y) {
        for (int x = 0; x < strip.Width(); ++x) {
            strip.At(x, y) = ground ? ground->picture.At(x % ground->picture.Width(),
                                                         y % ground->picture.Height())
                                    : FromArgb(pal::kMoss0);
            // Dusk: the game's ground is seen darker than its patch.
            strip.At(x, y) = content::Scale(strip.At(x, y), 0.7f);
            strip.At(x, y).a = 1;
        }
    }
    content::FontFace font(content::DejaVuPath("DejaVuSans.ttf"), 12);
    for (int k = 0; k < 4; ++k) {
        const Kind& kind = kinds[k];
        const SpriteEntry* image = Find(sheets, kind.image);
        Look look;
        if (!image || !ReadLook(effects + "/" + kind.file, look)) {
            continue;
        }
        const float left = static_cast<float>(pad + k * (cellW + pad));
        const float right = left + cellW - 50;
        if (kind.tints.empty()) {
            DrawKind(strip, image->picture, look, right, pad + cellH / 2.0f, kind.speed, kind.scale,
                     7u + static_cast<std::uint32_t>(k));
        }
        for (std::size_t t = 0; t < kind.tints.size(); ++t) {
            look.start = FromArgb(kind.tints[t].first);
            look.end = FromArgb(kind.tints[t].second);
            DrawKind(strip, image->picture, look, right, pad + 30 + 50.0f * static_cast<float>(t),
                     kind.speed, kind.scale, 3u + static_cast<std::uint32_t>(t));
        }
        font.Draw(strip, static_cast<int>(left) + 4, pad + cellH - 6, kind.label,
                  FromArgb(pal::kParchment));
    }
    return strip;
}

} // namespace art
