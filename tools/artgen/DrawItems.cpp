// Items: each drawn once at inventory size (56 px inside a 64 px cell) and
// again small for the ground (about 28 px), from the same shapes.
#include "tools/artgen/Art.h"
#include "tools/artgen/Painter.h"

#include <cmath>

namespace art {

namespace {

// Items are designed on a 56x56 grid and scaled by k when drawn.
struct ItemCanvas {
    Image img;
    float k;
    float X(float v) const { return v * k; }
};

Sdf Scaled(const Sdf& s, float k) {
    return [=](float x, float y) { return s(x / k, y / k) * k; };
}

void Part(ItemCanvas& c, const Sdf& shape56, const Shader& shader56, uint32_t outlineBase) {
    Sdf s = Scaled(shape56, c.k);
    float k = c.k;
    Shader sh = [=](float x, float y, float d) { return shader56(x / k, y / k, d / k); };
    content::FillOutlined(c.img, s, sh, OutlineOf(outlineBase));
}

void ShadowOf(ItemCanvas& c, const Sdf& shape56) {
    content::Shadow(c.img, Scaled(shape56, c.k), 3 * c.k + 0.5f, 3.5f * c.k + 0.5f, 3 * c.k + 0.5f);
}

void Key(ItemCanvas& c) {
    Sdf bow = content::Subtract(content::Circle(17, 22, 10), content::Circle(17, 22, 5));
    Sdf shaft = content::Box(34, 30, 16, 3.2f, 1, 35);
    Sdf bit = content::Union(content::Box(43, 43, 3, 6, 0.8f, 35),
                             content::Box(37, 40, 2.5f, 4.5f, 0.8f, 35));
    Sdf key = content::Union(content::Union(bow, shaft), bit);
    ShadowOf(c, key);
    Rgba brass = FromArgb(0xFFC8963C);
    Part(c, key, Lit(brass, 26, 26, 34, 1.0f), pal::kWood0);
    content::FillColor(c.img, Scaled(content::Circle(13.5f, 17.5f, 2), c.k),
                       FromArgb(pal::kFire3, 0.8f));
}

void Potion(ItemCanvas& c, uint32_t liquid, bool big) {
    float r = big ? 17 : 13;
    float cy = big ? 34 : 36;
    Sdf flask =
        content::Union(content::Circle(28, cy, r), content::Box(28, cy - r - 4, 5, 7, 1.5f));
    Sdf cork = content::Box(28, cy - r - 10, 4, 3.5f, 1.2f);
    ShadowOf(c, content::Union(flask, cork));
    Part(
        c, flask,
        [&](float x, float y, float d) {
            // Liquid fills the lower part; glass above it.
            bool wet = y > cy - r * 0.35f;
            Rgba base = wet ? FromArgb(liquid)
                            : content::Mix(FromArgb(pal::kNight3), FromArgb(pal::kIce3), 0.35f);
            Rgba lit = Lit(base, 24, cy - 4, r + 3, 1.2f)(x, y, d);
            if (!wet) {
                lit.a = 0.9f;
            }
            return lit;
        },
        pal::kNight1);
    Part(c, cork, Lit(FromArgb(pal::kWood2), 27, cy - r - 11, 4), pal::kWood0);
    content::FillColor(c.img, Scaled(content::Ellipse(22, cy - 5, 2.5f, 5.5f, 20), c.k),
                       FromArgb(pal::kWind0, 0.7f));
}

void Crystal(ItemCanvas& c, uint32_t light, uint32_t mid) {
    Sdf gem = content::Polygon({{28, 5}, {41, 22}, {36, 50}, {20, 50}, {15, 22}});
    Glow(c.img, c.X(28), c.X(28), c.X(26), FromArgb(light), 0.45f);
    ShadowOf(c, gem);
    Part(
        c, gem,
        [&](float x, float y, float d) {
            // Facets: the left faces catch the light, the right ones sit in shade.
            float facet = x < 28 ? (y < 22 ? 1.25f : 1.0f) : (y < 22 ? 0.85f : 0.65f);
            return content::Scale(FromArgb(mid),
                                  facet * (1.0f + std::clamp(d / 8.0f, -0.3f, 0.0f)));
        },
        mid);
    content::FillColor(c.img, Scaled(content::Polygon({{28, 8}, {19, 22}, {26, 22}}), c.k),
                       FromArgb(light, 0.9f));
}

void Tome(ItemCanvas& c) {
    Sdf book = content::Box(28, 28, 19, 23, 3, -8);
    ShadowOf(c, book);
    Rgba leather = content::Mix(FromArgb(pal::kViolet0), FromArgb(pal::kWood0), 0.4f);
    Part(c, book, LitGrain(leather, 22, 22, 24, 2, 0.3f, 950), pal::kWood0);
    Part(c, content::Box(28, 28, 11, 13, 2, -8), Lit(content::Scale(leather, 0.8f), 24, 24, 14),
         pal::kWood0);
    content::FillColor(
        c.img,
        Scaled(content::Subtract(content::Circle(28, 28, 6), content::Circle(28, 28, 4.5f)), c.k),
        FromArgb(0xFFC8963C));
    Glow(c.img, c.X(28), c.X(28), c.X(8), FromArgb(pal::kViolet2), 0.6f);
    content::FillColor(c.img, Scaled(content::Box(12.5f, 30, 2, 20, 1, -8), c.k),
                       FromArgb(pal::kParchmentDark));
}

void Scroll(ItemCanvas& c) {
    Sdf sheet = content::Box(28, 28, 14, 18, 1, 12);
    Sdf rollTop = content::Box(24, 10.5f, 16, 3.5f, 3.5f, 12);
    Sdf rollBottom = content::Box(32.5f, 45.5f, 16, 3.5f, 3.5f, 12);
    ShadowOf(c, content::Union(sheet, content::Union(rollTop, rollBottom)));
    Part(c, sheet, Lit(FromArgb(pal::kParchment), 24, 24, 20, 0.6f), pal::kWood1);
    for (int i = 0; i < 5; ++i) {
        float y = 19 + i * 4.5f;
        content::FillColor(
            c.img, Scaled(content::Box(27.5f + (y - 28) * 0.21f, y, 8, 0.6f, 0.3f, 12), c.k),
            FromArgb(pal::kInk, 0.6f));
    }
    Part(c, rollTop, Lit(FromArgb(pal::kParchmentDark), 22, 9, 16), pal::kWood1);
    Part(c, rollBottom, Lit(FromArgb(pal::kParchmentDark), 30, 44, 16), pal::kWood1);
    content::FillColor(c.img, Scaled(content::Circle(40, 36, 3.5f), c.k), FromArgb(0xFFA01820));
}

void Amulet(ItemCanvas& c) {
    Sdf chain =
        content::Subtract(content::Ellipse(28, 20, 15, 14), content::Ellipse(28, 20, 13.3f, 12.3f));
    chain = content::Intersect(chain, content::Box(28, 14, 20, 14));
    Sdf pendant = content::Polygon({{28, 26}, {38, 37}, {28, 50}, {18, 37}});
    ShadowOf(c, content::Union(chain, pendant));
    Part(c, chain, Lit(FromArgb(0xFFC8963C), 24, 14, 16), pal::kWood0);
    Part(c, pendant, Lit(FromArgb(0xFFC8963C), 26, 34, 12, 1.3f), pal::kWood0);
    Glow(c.img, c.X(28), c.X(38), c.X(9), FromArgb(pal::kViolet2), 0.6f);
    Part(c, content::Circle(28, 38, 5), Lit(FromArgb(pal::kViolet1), 26, 36, 5, 1.4f),
         pal::kViolet0);
}

void Bread(ItemCanvas& c) {
    Sdf loaf = content::Ellipse(28, 30, 20, 13, -20);
    ShadowOf(c, loaf);
    Part(c, loaf, LitGrain(FromArgb(0xFFB07A40), 24, 26, 20, 3, 0.25f, 960), pal::kWood0);
    for (int i = -1; i <= 1; ++i) {
        content::FillColor(
            c.img,
            Scaled(content::Segment(24 + i * 9, 22 + i * 3, 30 + i * 9, 33 + i * 3, 1.1f), c.k),
            FromArgb(pal::kFire3, 0.7f));
    }
}

struct ItemKind {
    const char* name;
    void (*draw)(ItemCanvas&);
};

} // namespace

void DrawItems(SpriteSheet& items) {
    const ItemKind kinds[] = {
        {"key", Key},
        {"potion_health", [](ItemCanvas& c) { Potion(c, 0xFFC81E32, false); }},
        {"potion_health_large", [](ItemCanvas& c) { Potion(c, 0xFFE0283C, true); }},
        {"potion_mana", [](ItemCanvas& c) { Potion(c, pal::kIce1, false); }},
        {"crystal_fire", [](ItemCanvas& c) { Crystal(c, pal::kFire3, pal::kFire1); }},
        {"crystal_ice", [](ItemCanvas& c) { Crystal(c, pal::kIce3, pal::kIce1); }},
        {"crystal_earth", [](ItemCanvas& c) { Crystal(c, pal::kEarth3, pal::kEarth1); }},
        {"crystal_wind", [](ItemCanvas& c) { Crystal(c, pal::kWind0, pal::kWind2); }},
        {"tome", Tome},
        {"scroll", Scroll},
        {"amulet", Amulet},
        {"bread", Bread},
    };
    for (const ItemKind& k : kinds) {
        ItemCanvas icon{Image(56, 56), 1.0f};
        k.draw(icon);
        items.Add(std::string("icon_") + k.name, std::move(icon.img));
        ItemCanvas world{Image(30, 30), 0.5f};
        k.draw(world);
        items.Add(std::string("item_") + k.name, std::move(world.img));
    }
}

} // namespace art
