// The player, power-ups and the particle images that enemies and spells are
// drawn with. Particle images are white so the particle colour tints them;
// projectile images carry their element's colour (their trails keep it).
#include "tools/artgen/Art.h"
#include "tools/artgen/Painter.h"

#include <cmath>

namespace art {

namespace {

constexpr float kPi = 3.14159265f;

Image Player() {
    Image img(40, 40);
    Rgba cloak = content::Mix(FromArgb(pal::kNight3), FromArgb(pal::kViolet0), 0.4f);
    Rgba hood = content::Mix(cloak, FromArgb(pal::kViolet1), 0.3f);
    Sdf body = content::Union(content::Ellipse(17, 20, 11, 14.5f),
                              content::Polygon({{6, 12}, {3, 20}, {6, 28}, {14, 22}}));
    Sdf armUp = content::Ellipse(25, 10.5f, 6, 3.5f, -15);
    Sdf armDown = content::Ellipse(25, 29.5f, 6, 3.5f, 15);
    Sdf staff = content::Segment(12, 33, 36, 31, 1.3f);
    Sdf hoodShape = content::Ellipse(20.5f, 20, 9.5f, 8.5f);

    content::Shadow(img, content::Union(body, staff), 3, 3.5f, 3);
    Rgba outline = OutlineOf(pal::kNight2);
    content::FillColor(
        img, content::Offset(content::Union(content::Union(body, armUp), armDown), 1), outline);
    content::Fill(img, body, LitGrain(cloak, 15, 18, 15, 3, 0.25f, 11));
    content::Fill(img, armUp, Lit(cloak, 24, 9, 6));
    content::Fill(img, armDown, Lit(cloak, 24, 28, 6));
    // Hands: pale skin just out of the sleeves.
    content::FillColor(img, content::Offset(content::Circle(31, 11.5f, 2.2f), 1), outline);
    content::Fill(img, content::Circle(31, 11.5f, 2.2f), Lit(FromArgb(pal::kBone), 30, 11, 3));
    content::FillColor(img, content::Offset(staff, 1), outline);
    content::Fill(img, staff, Lit(FromArgb(pal::kWood2), 24, 31, 12));
    content::FillColor(img, content::Offset(content::Circle(31, 31.5f, 2.2f), 1), outline);
    content::Fill(img, content::Circle(31, 31.5f, 2.2f), Lit(FromArgb(pal::kBone), 30, 31, 3));
    // Hood with a dark face opening towards +x.
    content::FillColor(img, content::Offset(hoodShape, 1), outline);
    content::Fill(img, hoodShape, Lit(hood, 19, 18, 9, 1.3f));
    content::Fill(img, content::Ellipse(27, 20, 2.6f, 4.6f),
                  Rimmed(FromArgb(pal::kNight0), -0.4f, 2));
    // Violet trim along the hood seam, and the staff's focus stone glowing.
    content::FillColor(img,
                       content::Subtract(content::Circle(20, 20, 7.5f), content::Circle(21, 20, 7)),
                       FromArgb(pal::kFire2, 0.7f));
    Glow(img, 37, 31, 6, FromArgb(pal::kViolet2), 0.7f);
    content::FillColor(img, content::Circle(37, 31, 2), FromArgb(pal::kViolet2));
    content::FillColor(img, content::Circle(36.4f, 30.4f, 0.8f), FromArgb(pal::kWind0));
    Glow(img, 28, 18.5f, 2.5f, FromArgb(pal::kIce2), 0.8f); // eyes catch the light
    Glow(img, 28, 21.5f, 2.5f, FromArgb(pal::kIce2), 0.8f);
    return img;
}

// A pale sphere: white so that the drop colour decides what it is.
Image OrbBase() {
    Image img(24, 24);
    Sdf orb = content::Circle(11, 11, 8);
    Glow(img, 11, 11, 11.5f, FromArgb(pal::kWind0), 0.45f);
    content::Shadow(img, orb, 2, 2.5f, 2);
    content::FillOutlined(img, orb, Lit(FromArgb(0xFFE8E8F0), 10, 10, 8, 1.2f),
                          FromArgb(0xFF404048));
    content::FillColor(img, content::Ellipse(8.5f, 8, 2.6f, 1.6f, -40), FromArgb(pal::kWind0));
    return img;
}

Image HealthDrop() {
    Image img(24, 24);
    Sdf heart =
        content::Union(content::Union(content::Circle(8, 9, 4.6f), content::Circle(15, 9, 4.6f)),
                       content::Polygon({{3.8f, 10.8f}, {19.2f, 10.8f}, {11.5f, 19.5f}}));
    Glow(img, 11.5f, 12, 11.5f, FromArgb(pal::kFire1), 0.5f);
    ShadowedOutlined(img, heart, Lit(FromArgb(0xFFD8202C), 10, 10, 9, 1.1f), 0xFF8A1010, 2);
    content::FillColor(img, content::Ellipse(7.5f, 7.5f, 2, 1.3f, -35), FromArgb(0xFFFFD0C8));
    return img;
}

// Particle images: soft shapes in white.
Image Wisp() {
    return SoftDot(32, 0.55f, 1.7f);
}

Image JaggedSpark() {
    Image img(32, 32);
    std::vector<content::Vec2> star;
    const float radii[] = {15, 6, 12, 5, 14.5f, 6, 11, 4.5f, 15, 5.5f, 12.5f, 5};
    for (int i = 0; i < 12; ++i) {
        float a = i * 2 * kPi / 12 + 0.2f;
        star.push_back({16 + radii[i] * std::cos(a), 16 + radii[i] * std::sin(a)});
    }
    Glow(img, 16, 16, 16, FromArgb(pal::kWind0), 0.45f, 2.2f);
    content::Fill(img, content::Polygon(star), [](float x, float y, float) {
        float d = std::hypot(x - 16, y - 16) / 15;
        return Rgba{1, 1, 1, std::max(0.25f, 1.0f - d)};
    });
    Glow(img, 16, 16, 5, FromArgb(pal::kWind0), 1.0f, 1.0f);
    return img;
}

Image Swirl() {
    Image img(32, 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            float dx = x + 0.5f - 16, dy = y + 0.5f - 16;
            float r = std::hypot(dx, dy) / 16;
            if (r >= 1) {
                continue;
            }
            float arms = 0.5f + 0.5f * std::cos(3 * std::atan2(dy, dx) + r * 7.0f);
            float a = (0.35f + 0.65f * arms * arms) * std::pow(1 - r, 1.4f);
            img.At(x, y) = {1, 1, 1, std::min(1.0f, a * 1.3f)};
        }
    }
    return img;
}

Image Fireball() {
    Image img(32, 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            float dx = x + 0.5f - 16, dy = y + 0.5f - 16;
            float n = content::Fbm(x / 5.0f, y / 5.0f, 0, 3, 77);
            float r = std::hypot(dx, dy) / (11 + 5 * n);
            if (r < 1) {
                img.At(x, y) = {1, 1, 1, std::min(1.0f, std::pow(1 - r, 0.8f) * 1.4f)};
            }
        }
    }
    return img;
}

Image Flame() {
    Image img(32, 32);
    Sdf drop = content::Union(content::Circle(16, 19, 8),
                              content::Polygon({{8.5f, 17}, {16, 2}, {23.5f, 17}}));
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            float d = drop(x + 0.5f, y + 0.5f);
            if (d < 4) {
                float a = std::clamp((4 - d) / 10.0f, 0.0f, 1.0f);
                img.At(x, y) = {1, 1, 1, a * a * (3 - 2 * a)};
            }
        }
    }
    return img;
}

Image Glint() {
    Image img(16, 16);
    Glow(img, 8, 8, 8, FromArgb(pal::kWind0), 0.5f, 2.5f);
    content::FillColor(img, content::Ellipse(8, 8, 7.5f, 0.9f), FromArgb(pal::kWind0, 0.9f));
    content::FillColor(img, content::Ellipse(8, 8, 0.9f, 7.5f), FromArgb(pal::kWind0, 0.9f));
    Glow(img, 8, 8, 3, FromArgb(pal::kWind0), 1, 1);
    return img;
}

// Projectile heads, one per element, in the element's colours.
Image FireBolt() {
    Image img(28, 28);
    Glow(img, 14, 14, 14, FromArgb(pal::kFire0), 0.6f, 1.5f);
    Glow(img, 14, 14, 10, FromArgb(pal::kFire1), 0.9f, 1.2f);
    Glow(img, 14, 14, 6, FromArgb(pal::kFire2), 1.0f, 0.8f);
    Glow(img, 14, 14, 3.5f, FromArgb(pal::kFire3), 1.0f, 0.5f);
    return img;
}

Image IceShard() {
    Image img(28, 28);
    Glow(img, 14, 14, 14, FromArgb(pal::kIce1), 0.55f, 1.6f);
    std::vector<content::Vec2> star;
    for (int i = 0; i < 12; ++i) {
        float a = i * 2 * kPi / 12;
        float r = i % 2 == 0 ? 10.5f : 3.2f;
        star.push_back({14 + r * std::cos(a), 14 + r * std::sin(a)});
    }
    content::FillOutlined(img, content::Polygon(star), Lit(FromArgb(pal::kIce2), 12, 12, 9, 1.4f),
                          FromArgb(pal::kIce1));
    Glow(img, 14, 14, 4, FromArgb(pal::kWind0), 1, 0.8f);
    return img;
}

Image EarthStone() {
    Image img(28, 28);
    Glow(img, 14, 14, 14, FromArgb(pal::kEarth1), 0.55f, 1.6f);
    Sdf rock = content::Polygon(
        {{6, 11}, {11, 5.5f}, {19, 6.5f}, {22.5f, 13}, {19, 21}, {10, 22}, {5.5f, 17}});
    content::FillOutlined(img, content::Offset(rock, 0.5f),
                          LitGrain(FromArgb(0xFF6F6A50), 12, 11, 9, 2.5f, 0.5f, 5),
                          FromArgb(pal::kMoss0));
    content::FillColor(img, content::Segment(9, 16, 14, 12, 0.7f), FromArgb(pal::kEarth2, 0.9f));
    content::FillColor(img, content::Segment(14, 12, 18, 14, 0.6f), FromArgb(pal::kEarth2, 0.8f));
    return img;
}

Image WindBlade() {
    Image img(28, 28);
    Glow(img, 14, 14, 14, FromArgb(pal::kWind2), 0.5f, 1.6f);
    Sdf crescent = content::Subtract(content::Circle(14, 14, 10), content::Circle(10, 14, 9));
    content::Fill(img, crescent, Lit(FromArgb(pal::kWind1), 16, 12, 10, 0.8f));
    Sdf inner = content::Subtract(content::Circle(13, 14, 6), content::Circle(10.5f, 14, 5.5f));
    content::FillColor(img, inner, FromArgb(pal::kWind0, 0.85f));
    return img;
}

} // namespace

void DrawActors(SpriteSheet& actors) {
    const std::string add = "COLORMUL, ALPHAADD"; // glows add light
    actors.Add("player", Player());
    actors.Add("pwu_orb_base", OrbBase());
    actors.Add("pwu_health", HealthDrop());
    actors.Add("basic_enemy", Wisp(), -1, -1, add);
    actors.Add("enemy_aggrevator", JaggedSpark(), -1, -1, add);
    actors.Add("enemy_mage", Swirl(), -1, -1, add);
    actors.Add("sp_Fireball", Fireball(), -1, -1, add);
    actors.Add("sp_fire", FireBolt(), -1, -1, add);
    actors.Add("sp_ice", IceShard(), -1, -1, add);
    actors.Add("sp_earth", EarthStone());
    actors.Add("sp_wind", WindBlade(), -1, -1, add);
    actors.Add("p_flame", Flame(), -1, -1, add);
    actors.Add("p_spark", SoftDot(12, 0.7f, 1.5f), -1, -1, add);
    actors.Add("p_glint", Glint(), -1, -1, add);
    actors.Add("p_mist", SoftDot(64, 0.0f, 2.2f), -1, -1, add);
    actors.Add("p_smoke", SoftDot(32, 0.0f, 1.2f));
}

} // namespace art
