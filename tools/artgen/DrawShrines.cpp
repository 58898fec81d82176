// Level-design library, part two: the places that do something — spring,
// elemental shrines, cursed altar, lectern, speaking statue — plus fires,
// crates and bones. Flames themselves are particle systems centred on them.
#include "tools/artgen/Art.h"
#include "tools/artgen/Painter.h"

#include <cmath>

namespace art {

namespace {

constexpr float kPi = 3.14159265f;
const Rgba kStoneRim = content::Scale(FromArgb(pal::kStone0), 0.5f);

Sdf Octagon(float cx, float cy, float r) {
    std::vector<content::Vec2> pts;
    for (int i = 0; i < 8; ++i) {
        float a = (i + 0.5f) * kPi / 4;
        pts.push_back({cx + std::cos(a) * r, cy + std::sin(a) * r});
    }
    return content::Polygon(pts);
}

// Small runes in a ring: short strokes with a glow of the given colour.
void RuneRing(Image& img, float cx, float cy, float r, int count, const Rgba& colour,
              uint32_t seed) {
    content::Random rnd(seed);
    for (int i = 0; i < count; ++i) {
        float a = i * 2 * kPi / count;
        float x = cx + std::cos(a) * r, y = cy + std::sin(a) * r;
        float t = a + kPi / 2 + rnd.Float(-0.6f, 0.6f);
        Sdf rune = content::Union(
            content::Segment(x - std::cos(t) * 2.5f, y - std::sin(t) * 2.5f, x + std::cos(t) * 2.5f,
                             y + std::sin(t) * 2.5f, 0.55f),
            content::Segment(x, y, x + std::cos(t + 1.2f) * 2, y + std::sin(t + 1.2f) * 2, 0.5f));
        Glow(img, x, y, 5, colour, 0.35f);
        content::FillColor(img, rune, colour);
    }
}

Image Spring() {
    Image img(112, 100);
    float cx = 54, cy = 48;
    Sdf basin = Octagon(cx, cy, 44);
    Sdf water = content::Circle(cx, cy, 33);
    content::Shadow(img, basin, 5, 6, 4, 0.45f);
    content::FillOutlined(img, basin, LitGrain(FromArgb(pal::kStone1), cx, cy, 44, 3, 0.4f, 300),
                          kStoneRim);
    content::FillColor(img, content::Offset(water, 2), FromArgb(pal::kStone0));
    content::Fill(img, water, [&](float x, float y, float) {
        float r = std::hypot(x - cx, y - cy);
        float ripple = 0.5f + 0.5f * std::sin(r * 0.9f - content::Fbm(x / 8, y / 8, 0, 2, 301) * 4);
        Rgba deep = content::Mix(FromArgb(pal::kNight2), FromArgb(pal::kIce1), 0.45f);
        Rgba c = content::Mix(deep, FromArgb(pal::kIce2), 0.2f * ripple + 0.4f * std::exp(-r / 12));
        return c;
    });
    Glow(img, cx, cy, 30, FromArgb(pal::kIce3), 0.35f);
    content::FillColor(img, content::Ellipse(cx - 12, cy - 14, 9, 3, -35),
                       FromArgb(pal::kWind0, 0.35f));
    RuneRing(img, cx, cy, 39, 12, FromArgb(pal::kIce2), 302);
    return img;
}

Image Shrine(uint32_t light, uint32_t mid, uint32_t seed) {
    Image img(84, 84);
    float c = 40;
    Sdf plinth = Octagon(c, c, 36);
    Sdf step = Octagon(c, c, 28);
    content::Shadow(img, plinth, 5, 6, 4, 0.45f);
    content::FillOutlined(img, plinth, LitGrain(FromArgb(pal::kStone0), c, c, 36, 3, 0.35f, seed),
                          kStoneRim);
    content::FillOutlined(img, step, LitGrain(FromArgb(pal::kStone1), c, c, 28, 3, 0.35f, seed + 1),
                          kStoneRim);
    RuneRing(img, c, c, 32, 8, FromArgb(mid), seed + 2);
    // The element's crystal, glowing in its socket.
    Glow(img, c, c, 26, FromArgb(light), 0.55f, 1.6f);
    std::vector<content::Vec2> gem;
    for (int i = 0; i < 6; ++i) {
        float a = i * kPi / 3 + kPi / 6;
        float r = i % 2 ? 9.0f : 12.0f;
        gem.push_back({c + std::cos(a) * r, c + std::sin(a) * r});
    }
    content::FillOutlined(img, content::Polygon(gem), Lit(FromArgb(mid), c - 2, c - 2, 11, 1.3f),
                          content::Scale(FromArgb(mid), 0.3f));
    content::FillColor(
        img, content::Polygon({{c - 5, c - 7}, {c, c - 10}, {c + 1, c - 3}, {c - 4, c - 1}}),
        FromArgb(light, 0.85f));
    return img;
}

Image CursedAltar() {
    Image img(92, 68);
    float cx = 44, cy = 32;
    Sdf slab = content::Box(cx, cy, 38, 24, 4);
    content::Shadow(img, slab, 5, 6, 4, 0.5f);
    content::FillOutlined(
        img, slab,
        LitGrain(content::Mix(FromArgb(pal::kStone0), FromArgb(pal::kViolet0), 0.25f), cx, cy, 40,
                 3, 0.45f, 400),
        kStoneRim);
    // A dark stain spreading from the middle, and a violet sigil burnt in.
    content::Fill(img,
                  content::Warp(content::Ellipse(cx + 3, cy + 2, 15, 9),
                                [](float x, float y) {
                                    return (content::Fbm(x / 5, y / 5, 0, 3, 401) - 0.5f) * 8;
                                }),
                  [](float, float, float) { return FromArgb(0xFF4A0A14, 0.8f); });
    Sdf sigil = content::Subtract(content::Circle(cx, cy, 14), content::Circle(cx, cy, 12.8f));
    for (int i = 0; i < 5; ++i) {
        float a1 = i * 4 * kPi / 5 - kPi / 2, a2 = (i + 1) * 4 * kPi / 5 - kPi / 2;
        sigil = content::Union(
            sigil, content::Segment(cx + std::cos(a1) * 13, cy + std::sin(a1) * 13,
                                    cx + std::cos(a2) * 13, cy + std::sin(a2) * 13, 0.6f));
    }
    Glow(img, cx, cy, 22, FromArgb(pal::kViolet1), 0.45f);
    content::FillColor(img, sigil, FromArgb(pal::kViolet2));
    for (float x : {12.0f, 76.0f}) {
        for (float y : {14.0f, 50.0f}) {
            // Guttering candles on the corners.
            Glow(img, x, y, 9, FromArgb(pal::kFire2), 0.5f);
            content::FillOutlined(img, content::Circle(x, y, 2.6f),
                                  Lit(FromArgb(pal::kBone), x - 1, y - 1, 3),
                                  FromArgb(pal::kWood0));
            content::FillColor(img, content::Circle(x, y, 1.1f), FromArgb(pal::kFire3));
        }
    }
    return img;
}

Image Lectern() {
    Image img(48, 52);
    float cx = 22, cy = 24;
    Sdf stand = content::Box(cx, cy, 17, 19, 3, -4);
    content::Shadow(img, stand, 4, 5, 3, 0.45f);
    content::FillOutlined(img, stand, LitGrain(FromArgb(pal::kWood1), cx, cy, 20, 2, 0.45f, 500),
                          FromArgb(pal::kWood0));
    // The open book lying on it.
    for (int side = -1; side <= 1; side += 2) {
        Sdf page = content::Box(cx + side * 7, cy, 7, 11, 1.5f, -4);
        content::FillOutlined(img, page, Lit(FromArgb(pal::kParchment), cx - 4, cy - 4, 14, 0.6f),
                              FromArgb(pal::kInk, 0.8f));
        for (int l = 0; l < 5; ++l) {
            float y = cy - 7 + l * 3.5f;
            content::FillColor(img,
                               content::Segment(cx + side * 7 - 4.5f + (l * 0.25f), y,
                                                cx + side * 7 + 4.0f + (l * 0.25f), y - 0.6f,
                                                0.45f),
                               FromArgb(pal::kInk, 0.45f));
        }
    }
    Glow(img, cx, cy, 16, FromArgb(pal::kFire3), 0.2f);
    return img;
}

// The Warden's reach: a faint ring of runes cut into the ground round the
// statue. The player starts inside it; the entity that speaks is this ring.
Image WardenRing() {
    Image img(200, 200);
    const float c = 100;
    Glow(img, c, c, 100, FromArgb(pal::kIce1), 0.10f, 0.6f);
    content::FillColor(img, content::Subtract(content::Circle(c, c, 95), content::Circle(c, c, 92)),
                       FromArgb(pal::kIce2, 0.55f));
    content::FillColor(img,
                       content::Subtract(content::Circle(c, c, 84), content::Circle(c, c, 82.5f)),
                       FromArgb(pal::kIce1, 0.35f));
    for (int i = 0; i < 16; ++i) {
        const float a = i * 2 * kPi / 16;
        const float x = c + 88.5f * std::cos(a), y = c + 88.5f * std::sin(a);
        const float along = a + kPi / 2;
        // A short stroke across the band and a tick along it: a rune.
        content::FillColor(img,
                           content::Segment(x - 3 * std::cos(a), y - 3 * std::sin(a),
                                            x + 3 * std::cos(a), y + 3 * std::sin(a), 0.8f),
                           FromArgb(pal::kIce2, 0.8f));
        content::FillColor(img,
                           content::Segment(x, y, x + 2.5f * std::cos(along + (i % 3) * 0.6f),
                                            y + 2.5f * std::sin(along + (i % 3) * 0.6f), 0.6f),
                           FromArgb(pal::kIce2, 0.7f));
    }
    return img;
}

Image Statue() {
    Image img(68, 68);
    float c = 32;
    Sdf plinth = content::Box(c, c, 28, 28, 3);
    content::Shadow(img, plinth, 6, 7, 4, 0.45f);
    content::FillOutlined(img, plinth, LitGrain(FromArgb(pal::kStone0), c, c, 30, 3, 0.4f, 600),
                          kStoneRim);
    // A robed figure from above, facing down-screen, holding out a glowing tablet.
    Sdf shoulders = content::Ellipse(c, c - 2, 19, 11);
    Sdf arms = content::Union(content::Segment(c - 15, c, c - 6, c + 13, 3.5f),
                              content::Segment(c + 15, c, c + 6, c + 13, 3.5f));
    Sdf head = content::Circle(c, c - 3, 8);
    Sdf tablet = content::Box(c, c + 17, 8, 4.5f, 1);
    content::Shadow(img, content::Union(shoulders, head), 4, 5, 3, 0.35f);
    content::FillOutlined(img, shoulders,
                          LitGrain(FromArgb(pal::kStone2), c - 4, c - 6, 20, 3, 0.35f, 601),
                          kStoneRim);
    content::FillOutlined(img, arms, Lit(FromArgb(pal::kStone2), c, c + 2, 16), kStoneRim);
    Glow(img, c, c + 17, 14, FromArgb(pal::kIce2), 0.45f);
    content::FillOutlined(img, tablet, Lit(FromArgb(pal::kStone3), c - 2, c + 15, 8), kStoneRim);
    for (int i = 0; i < 3; ++i) {
        content::FillColor(img,
                           content::Segment(c - 5, c + 15 + i * 2, c + 5, c + 15 + i * 2, 0.4f),
                           FromArgb(pal::kIce2, 0.9f));
    }
    content::FillOutlined(img, head, Lit(FromArgb(pal::kStone3), c - 3, c - 6, 9, 1.2f), kStoneRim);
    Glow(img, c - 3, c + 2, 3, FromArgb(pal::kIce2), 0.9f); // eyes that speak
    Glow(img, c + 3, c + 2, 3, FromArgb(pal::kIce2), 0.9f);
    content::FillColor(img, content::Ellipse(c - 12, c - 6, 5, 3, 20), FromArgb(pal::kMoss2, 0.6f));
    return img;
}

Image Torch() {
    Image img(32, 32);
    float c = 15;
    Glow(img, c, c, 15, FromArgb(pal::kFire1), 0.35f);
    Sdf post = content::Circle(c, c, 6);
    content::Shadow(img, post, 3, 4, 2, 0.5f);
    content::FillOutlined(img, post, Lit(FromArgb(pal::kWood1), c - 1, c - 1, 6),
                          FromArgb(pal::kWood0));
    content::FillColor(img,
                       content::Subtract(content::Circle(c, c, 4.5f), content::Circle(c, c, 3.3f)),
                       FromArgb(pal::kStone1));
    Glow(img, c, c, 4, FromArgb(pal::kFire2), 1.0f, 0.8f);
    return img;
}

Image Brazier() {
    Image img(52, 52);
    float c = 24;
    Glow(img, c, c, 25, FromArgb(pal::kFire1), 0.3f);
    Sdf bowl = content::Circle(c, c, 17);
    for (int i = 0; i < 3; ++i) {
        float a = i * 2 * kPi / 3 + 0.5f;
        Sdf leg = content::Segment(c, c, c + std::cos(a) * 21, c + std::sin(a) * 21, 2);
        content::Shadow(img, leg, 4, 5, 2, 0.4f);
        content::FillOutlined(img, leg, Lit(FromArgb(pal::kStone0), c, c, 21),
                              FromArgb(pal::kNight0));
    }
    content::Shadow(img, bowl, 4, 5, 3, 0.5f);
    content::FillOutlined(img, bowl, Lit(FromArgb(pal::kStone1), c - 3, c - 3, 17, 1.2f),
                          FromArgb(pal::kNight0));
    content::Fill(img, content::Circle(c, c, 13), [&](float x, float y, float) {
        float n = content::Fbm(x / 3, y / 3, 0, 3, 700);
        float heat = std::clamp(1.1f - std::hypot(x - c, y - c) / 13 + (n - 0.5f), 0.0f, 1.0f);
        return content::Mix(FromArgb(0xFF2A1410), FromArgb(heat > 0.6f ? pal::kFire2 : pal::kFire1),
                            heat);
    });
    return img;
}

Image Crate(uint32_t seed) {
    Image img(40, 40);
    float c = 18;
    Sdf box = content::Box(c, c, 15, 15, 1.5f);
    content::Shadow(img, box, 3, 4, 2.5f, 0.45f);
    content::FillOutlined(
        img, box,
        [&](float x, float y, float d) {
            // Planks run across; a darker gap every 7 pixels.
            float plank = std::fmod(y - (c - 15), 7.5f);
            float n = content::Fbm(x / 6, y / 1.5f, 0, 2, seed);
            float l = 1.0f + 0.15f * ((c - x) + (c - y)) / 15;
            Rgba wood = content::Scale(FromArgb(pal::kWood2), l * (0.75f + 0.3f * n));
            float edge = std::clamp(1.0f + d / 3.0f, 0.0f, 1.0f);
            return content::Scale(wood, (plank < 0.9f ? 0.55f : 1.0f) * (1.0f - 0.3f * edge));
        },
        FromArgb(pal::kWood0));
    Sdf brace = content::Union(content::Segment(c - 12, c - 12, c + 12, c + 12, 1.6f),
                               content::Segment(c - 12, c + 12, c + 12, c - 12, 1.6f));
    content::FillColor(img, content::Intersect(brace, box),
                       content::Scale(FromArgb(pal::kWood1), 0.9f));
    return img;
}

Image Barrel() {
    Image img(36, 36);
    float c = 16;
    Sdf body = content::Circle(c, c, 13);
    content::Shadow(img, body, 3, 4, 2.5f, 0.45f);
    content::FillOutlined(img, body,
                          LitGrain(FromArgb(pal::kWood2), c - 2, c - 2, 13, 2, 0.3f, 710),
                          FromArgb(pal::kWood0));
    for (float r : {12.0f, 7.0f}) {
        content::FillColor(
            img, content::Subtract(content::Circle(c, c, r), content::Circle(c, c, r - 1.3f)),
            FromArgb(pal::kStone0, 0.9f));
    }
    return img;
}

Image Bones() {
    Image img(44, 36);
    auto bone = [&](float ax, float ay, float bx, float by) {
        Sdf b = content::Union(
            content::Segment(ax, ay, bx, by, 1.4f),
            content::Union(content::Circle(ax, ay, 2.3f), content::Circle(bx, by, 2.3f)));
        ShadowedOutlined(img, b, Lit(FromArgb(pal::kBone), (ax + bx) / 2, (ay + by) / 2, 8),
                         pal::kWood0, 1.5f);
    };
    bone(6, 24, 22, 30);
    bone(24, 26, 36, 18);
    bone(8, 8, 18, 14);
    // The skull, lying face up-right.
    float sx = 28, sy = 12;
    Sdf skull =
        content::Union(content::Circle(sx, sy, 7), content::Box(sx + 4, sy + 4, 3.5f, 3, 1.5f, 35));
    ShadowedOutlined(img, skull, Lit(FromArgb(pal::kBone), sx - 2, sy - 2, 7), pal::kWood0, 2);
    content::FillColor(img, content::Circle(sx + 1, sy + 1, 1.7f), FromArgb(pal::kNight0));
    content::FillColor(img, content::Circle(sx + 4.5f, sy - 1.5f, 1.7f), FromArgb(pal::kNight0));
    return img;
}

} // namespace

void DrawShrines(SpriteSheet& props) {
    props.Add("spring", Spring());
    props.Add("shrine_fire", Shrine(pal::kFire3, pal::kFire1, 800));
    props.Add("shrine_ice", Shrine(pal::kIce3, pal::kIce1, 810));
    props.Add("shrine_earth", Shrine(pal::kEarth3, pal::kEarth1, 820));
    props.Add("shrine_wind", Shrine(pal::kWind0, pal::kWind2, 830));
    props.Add("altar_cursed", CursedAltar());
    props.Add("lectern", Lectern());
    props.Add("statue", Statue());
    props.Add("warden_ring", WardenRing());
    props.AddSolid("torch", Torch());
    props.AddSolid("brazier", Brazier());
    props.AddSolid("crate", Crate(900));
    props.AddSolid("barrel", Barrel());
    props.Add("bones", Bones());
}

} // namespace art
