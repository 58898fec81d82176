// The valley's living folk, seen from above like the player, and the fire
// pits that scorch the southern path.
#include "tools/artgen/Art.h"
#include "tools/artgen/Painter.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

constexpr float kPi = 3.14159265f;

// A hooded figure facing down-screen: cloak, two hands, a hood with a dark
// face opening. The caller adds what the figure carries.
void Figure(Image& img, float cx, float cy, const Rgba& cloak, const Rgba& hood, uint32_t seed) {
    Rgba outline = content::Scale(cloak, 0.35f);
    Sdf body = content::Union(
        content::Ellipse(cx, cy - 2, 14, 11),
        content::Polygon(
            {{cx - 12, cy + 2}, {cx + 12, cy + 2}, {cx + 8, cy - 12}, {cx - 8, cy - 12}}));
    Sdf handL = content::Circle(cx - 9, cy + 9, 2.4f);
    Sdf handR = content::Circle(cx + 9, cy + 9, 2.4f);
    Sdf hoodShape = content::Ellipse(cx, cy - 1, 8.5f, 9);
    content::Shadow(img, body, 3, 3.5f, 3);
    content::FillColor(img, content::Offset(body, 1), outline);
    content::Fill(img, body, LitGrain(cloak, cx - 4, cy - 6, 15, 3, 0.25f, seed));
    for (const Sdf& hand : {handL, handR}) {
        content::FillColor(img, content::Offset(hand, 1), outline);
        content::Fill(img, hand, Lit(FromArgb(pal::kBone), cx, cy + 8, 10));
    }
    content::FillColor(img, content::Offset(hoodShape, 1), outline);
    content::Fill(img, hoodShape, Lit(hood, cx - 3, cy - 4, 9, 1.3f));
    content::Fill(img, content::Ellipse(cx, cy + 5, 4.2f, 2.6f),
                  Rimmed(FromArgb(pal::kNight0), -0.4f, 2));
}

// The wanderer: a travel-worn brown cloak, a walking staff and a bedroll.
Image Wanderer() {
    Image img(48, 48);
    float cx = 23, cy = 22;
    Sdf roll = content::Ellipse(cx, cy - 11, 11, 3.5f);
    content::Shadow(img, roll, 2, 3, 2);
    content::FillOutlined(img, roll,
                          LitGrain(FromArgb(pal::kMoss1), cx - 3, cy - 13, 11, 2, 0.3f, 41),
                          FromArgb(pal::kNight0));
    Figure(img, cx, cy, FromArgb(pal::kWood1), FromArgb(pal::kWood2), 40);
    Sdf staff = content::Segment(cx + 9, cy + 9, cx + 16, cy + 22, 1.4f);
    content::FillColor(img, content::Offset(staff, 1), FromArgb(pal::kWood0));
    content::Fill(img, staff, Lit(FromArgb(pal::kWood2), cx + 12, cy + 14, 8));
    // A bandage across one shoulder: he is hurt.
    content::FillColor(img, content::Segment(cx - 12, cy - 4, cx - 5, cy + 3, 1.3f),
                       FromArgb(pal::kBone, 0.9f));
    Glow(img, cx - 2, cy + 4, 2, FromArgb(pal::kFire2), 0.7f); // eyes in the hood's shade
    Glow(img, cx + 2, cy + 4, 2, FromArgb(pal::kFire2), 0.7f);
    return img;
}

// The shrine keeper: a pale grey-violet robe, an ember lantern held out.
Image Keeper() {
    Image img(48, 48);
    float cx = 23, cy = 21;
    Rgba robe = content::Mix(FromArgb(pal::kStone2), FromArgb(pal::kViolet0), 0.35f);
    Figure(img, cx, cy, robe, content::Mix(robe, FromArgb(pal::kStone3), 0.4f), 50);
    // The shawl's trim in the four elements' colours.
    const uint32_t trim[] = {pal::kFire1, pal::kIce1, pal::kEarth1, pal::kWind1};
    for (int i = 0; i < 4; ++i) {
        float a = kPi * (0.15f + 0.7f * static_cast<float>(i) / 3);
        content::FillColor(img,
                           content::Circle(cx - std::cos(a) * 12, cy - 1 - std::sin(a) * 7, 1.6f),
                           FromArgb(trim[i]));
    }
    Glow(img, cx, cy + 17, 11, FromArgb(pal::kFire2), 0.5f);
    Sdf lantern = content::Box(cx, cy + 16, 3.5f, 3.5f, 1);
    content::FillOutlined(img, lantern, Lit(FromArgb(pal::kFire3), cx - 1, cy + 15, 4),
                          FromArgb(pal::kWood0));
    content::FillColor(img, content::Segment(cx, cy + 9, cx, cy + 12.5f, 0.6f),
                       FromArgb(pal::kStone0));
    Glow(img, cx - 2, cy + 3, 2, FromArgb(pal::kIce2), 0.8f);
    Glow(img, cx + 2, cy + 3, 2, FromArgb(pal::kIce2), 0.8f);
    return img;
}

// A ring of soot-black stones around live coals, level with the ground.
Image FirePit() {
    Image img(60, 60);
    float c = 29;
    Glow(img, c, c, 30, FromArgb(pal::kFire0), 0.35f);
    content::Fill(img, content::Circle(c, c, 19), [&](float x, float y, float) {
        float n = content::Fbm(x / 3.5f, y / 3.5f, 0, 3, 1200);
        float heat =
            std::clamp(1.2f - std::hypot(x - c, y - c) / 19 + (n - 0.5f) * 1.2f, 0.0f, 1.0f);
        Rgba coal = content::Mix(FromArgb(0xFF1A0E0C), FromArgb(pal::kFire0), heat);
        return content::Mix(coal, FromArgb(heat > 0.75f ? pal::kFire3 : pal::kFire1),
                            std::max(0.0f, heat - 0.4f));
    });
    content::Random rnd(1201);
    for (int i = 0; i < 10; ++i) {
        float a = static_cast<float>(i) * 2 * kPi / 10 + rnd.Float(-0.15f, 0.15f);
        float r = 22 + rnd.Float(-1, 1);
        Sdf stone = content::Ellipse(c + std::cos(a) * r, c + std::sin(a) * r, rnd.Float(4, 5.5f),
                                     rnd.Float(3, 4), a * 57.3f);
        ShadowedOutlined(img, stone,
                         LitGrain(content::Scale(FromArgb(pal::kStone0), 0.8f), c - 4, c - 4, 26, 2,
                                  0.35f, 1202 + static_cast<uint32_t>(i)),
                         pal::kNight0, 2);
    }
    return img;
}

} // namespace

void DrawFolk(SpriteSheet& props) {
    props.Add("npc_wanderer", Wanderer());
    props.Add("npc_keeper", Keeper());
    props.Add("fire_pit", FirePit());
}

} // namespace art
