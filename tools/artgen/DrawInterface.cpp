// HUD and overlay art: cursor, tooltip underline, inventory highlight, the
// spell-orb slots and the open book with its page arrows.
#include "tools/artgen/Art.h"
#include "tools/artgen/Painter.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

constexpr float kPi = 3.14159265f;

Image Cursor() {
    Image img(32, 32);
    Rgba ink = FromArgb(pal::kNight0, 0.9f);
    Rgba light = FromArgb(0xFFEDE6FF);
    Glow(img, 16, 16, 14, FromArgb(pal::kViolet1), 0.35f);
    Sdf ring = content::Subtract(content::Circle(16, 16, 8.5f), content::Circle(16, 16, 6.8f));
    std::vector<Sdf> ticks;
    for (int i = 0; i < 4; ++i) {
        float a = i * kPi / 2 + kPi / 4;
        float c = std::cos(a), s = std::sin(a);
        ticks.push_back(
            content::Segment(16 + c * 10.5f, 16 + s * 10.5f, 16 + c * 14, 16 + s * 14, 0.9f));
    }
    Sdf shape = ring;
    for (const Sdf& t : ticks) {
        shape = content::Union(shape, t);
    }
    shape = content::Union(shape, content::Circle(16, 16, 1.4f));
    content::FillColor(img, content::Offset(shape, 1), ink);
    content::Fill(img, shape, [&](float x, float y, float) {
        // Warm at the upper left, where the light comes from.
        float t = std::clamp((x + y - 16) / 32.0f, 0.0f, 1.0f);
        return content::Mix(light, FromArgb(pal::kViolet2), t);
    });
    return img;
}

Image Underline() {
    Image img(512, 8);
    Rgba gold = FromArgb(pal::kFire2);
    for (int x = 0; x < 512; ++x) {
        // Bright where the text starts, fading to the right.
        float fade = std::pow(1.0f - x / 512.0f, 0.7f);
        const float rows[8] = {0, 0.08f, 0.3f, 1.0f, 0.85f, 0.3f, 0.08f, 0};
        for (int y = 0; y < 8; ++y) {
            Rgba c = y == 3 ? content::Mix(gold, FromArgb(pal::kFire3), 0.5f) : gold;
            img.Blend(x, y, c, rows[y] * fade);
        }
    }
    return img;
}

Image CellHighlight() {
    Image img(64, 64);
    Sdf cell = content::Box(32, 32, 30, 30, 6);
    content::Fill(img, cell, [](float x, float y, float d) {
        float rim = std::clamp(1.0f + d / 7.0f, 0.0f, 1.0f);
        float glow = 0.12f + 0.5f * rim * rim;
        Rgba c = content::Mix(FromArgb(pal::kViolet1), FromArgb(pal::kViolet2),
                              (64 - x - y) / 128.0f + 0.3f);
        c.a = glow;
        return c;
    });
    Sdf frame = content::Subtract(cell, content::Offset(cell, -1.5f));
    content::FillColor(img, frame, FromArgb(pal::kViolet2, 0.95f));
    for (float cx : {5.0f, 59.0f}) {
        for (float cy : {5.0f, 59.0f}) {
            Glow(img, cx, cy, 6, FromArgb(pal::kWind0), 0.8f);
        }
    }
    return img;
}

Image BookArrow() {
    Image img(32, 46);
    Sdf arrow =
        content::Polygon({{3, 23}, {17, 7}, {17, 16}, {29, 16}, {29, 30}, {17, 30}, {17, 39}});
    arrow = content::Offset(arrow, -0.5f);
    content::Shadow(img, arrow, 1.5f, 2, 1.5f, 0.4f);
    content::FillOutlined(img, arrow, Lit(FromArgb(0xFFB0823C), 14, 20, 14, 1.3f),
                          FromArgb(pal::kWood0));
    content::FillColor(img, content::Segment(8, 23, 25, 23, 0.6f), FromArgb(pal::kFire3, 0.7f));
    return img;
}

// The HUD orb: a glassy sphere in light greys; the game tints and adds it.
Image SpellOrb() {
    Image img(64, 64);
    Glow(img, 32, 32, 31, FromArgb(pal::kWind0), 0.35f, 1.8f);
    content::Fill(img, content::Circle(32, 32, 21), [](float x, float y, float) {
        float r = std::hypot(x - 32, y - 32) / 21;
        float l = content::DomeLight((x - 32) / 21, (y - 32) / 21);
        float v = std::clamp(0.35f + 0.4f * l + 0.5f * std::pow(r, 4.0f), 0.0f, 1.0f);
        return Rgba{v, v, v, 0.9f};
    });
    content::FillColor(img, content::Ellipse(25, 23, 7, 4, -40), FromArgb(pal::kWind0, 0.9f));
    content::FillColor(img, content::Circle(39, 41, 2), FromArgb(pal::kWind0, 0.5f));
    return img;
}

// The glow behind a chosen element; the game blurs it once at start-up.
Image OrbHalo() {
    Image img(64, 64);
    Glow(img, 32, 32, 31, FromArgb(pal::kWind0), 0.9f, 1.3f);
    content::FillColor(img,
                       content::Subtract(content::Circle(32, 32, 25), content::Circle(32, 32, 22)),
                       FromArgb(pal::kWind0));
    return img;
}

float Stain(float x, float y) {
    return content::Fbm(x / 60.0f, y / 60.0f, 0, 4, 42);
}

Image OpenBook() {
    const int w = 950, h = 768;
    Image img(w, h);
    const float cx = w / 2.0f;
    Sdf cover = content::Box(cx, h / 2.0f, cx - 1, h / 2.0f - 1, 18);
    Rgba leather = content::Mix(FromArgb(pal::kWood0), FromArgb(pal::kViolet0), 0.35f);
    content::Fill(img, cover, [&](float x, float y, float d) {
        float n = content::Fbm(x / 9.0f, y / 9.0f, 0, 3, 9);
        float edge = std::clamp(-d / 14.0f, 0.0f, 1.0f);
        Rgba c = content::Scale(leather, 0.75f + 0.35f * n + 0.25f * (1 - edge));
        return c;
    });
    // Gold tooling along the cover's edge.
    Sdf tooling = content::Subtract(content::Box(cx, h / 2.0f, cx - 8, h / 2.0f - 8, 12),
                                    content::Box(cx, h / 2.0f, cx - 10, h / 2.0f - 10, 10));
    content::FillColor(img, tooling, FromArgb(0xFFB0823C, 0.8f));
    // Page stacks under each page, then the pages themselves.
    for (int side = 0; side < 2; ++side) {
        float px0 = side == 0 ? 14.0f : cx + 4, px1 = side == 0 ? cx - 4 : w - 14.0f;
        for (int layer = 3; layer >= 0; --layer) {
            float grow = layer * 2.0f;
            Sdf page = content::Box((px0 + px1) / 2, h / 2.0f + grow, (px1 - px0) / 2 + grow * 0.5f,
                                    h / 2.0f - 16, 6);
            Rgba paper = content::Scale(FromArgb(pal::kParchmentDark), 0.9f - layer * 0.08f);
            if (layer == 0) {
                content::Fill(img, page, [&, px0, px1, side](float x, float y, float d) {
                    float n = Stain(x, y);
                    float toSpine = side == 0 ? (px1 - x) : (x - px0);
                    float spine = std::exp(-toSpine / 40.0f);
                    float edge = std::clamp(1.0f + d / 30.0f, 0.0f, 1.0f);
                    Rgba c = content::Mix(
                        FromArgb(pal::kParchment), FromArgb(pal::kParchmentDark),
                        std::clamp(0.15f + 0.8f * (n - 0.4f) + 0.5f * edge, 0.0f, 1.0f));
                    return content::Scale(c, 1.0f - 0.45f * spine);
                });
            } else {
                content::FillColor(img, page, paper);
            }
        }
        // A fine ink frame on each page.
        // Just outside the game's text boxes (x -425..-25 and 30..430 from the
        // centre), so lines never cross it.
        float fx0 = side == 0 ? cx - 445 : cx + 18, fx1 = side == 0 ? cx - 18 : cx + 445;
        Sdf frame = content::Subtract(
            content::Box((fx0 + fx1) / 2, h / 2.0f, (fx1 - fx0) / 2, h / 2.0f - 28, 2),
            content::Box((fx0 + fx1) / 2, h / 2.0f, (fx1 - fx0) / 2 - 1, h / 2.0f - 29, 2));
        content::FillColor(img, frame, FromArgb(pal::kInk, 0.35f));
    }
    // The spine's fold.
    for (int x = -12; x <= 12; ++x) {
        float a = 0.5f * std::exp(-std::abs(x) / 5.0f);
        for (int y = 18; y < h - 18; ++y) {
            img.Blend(static_cast<int>(cx) + x, y, FromArgb(pal::kInk), a);
        }
    }
    return img;
}

} // namespace

void DrawInterface(SpriteSheet& ui, SpriteSheet& underline, SpriteSheet& book,
                   content::Image& orbGlow) {
    ui.Add("cursor", Cursor(), 16, 16);
    underline.Add("underline", Underline(), 0, 0);
    ui.Add("inv_icon", CellHighlight(), 0, 0);
    ui.Add("book_arrow", BookArrow());
    ui.Add("spellorb", SpellOrb(), 0, 0);
    book.Add("book_bg", OpenBook(), 475, 384);
    orbGlow = OrbHalo();
}

} // namespace art
