// Level-design library, part one: trees, bushes, rocks and ruins. Seen from
// above, lit from the upper left, each with a soft shadow down-right.
#include "tools/artgen/Art.h"
#include "tools/artgen/Painter.h"

#include <cmath>

namespace art {

namespace {

constexpr float kPi = 3.14159265f;

// A lumpy outline: the distance field is pushed in and out by noise.
Sdf Lumpy(Sdf base, float amount, float scale, uint32_t seed) {
    return content::Warp(std::move(base), [=](float x, float y) {
        return (content::Fbm(x / scale, y / scale, 0, 3, seed) - 0.5f) * amount;
    });
}

// Leaf canopy: clusters of lit blobs, darker in the crevices between them.
Image Canopy(int size, const Rgba& leaf, int clusters, uint32_t seed) {
    Image img(size, size);
    float c = size / 2.0f, r = size * 0.36f;
    content::Random rnd(seed);
    Sdf crown = content::Circle(c, c, r * 0.55f);
    std::vector<content::Vec2> centres;
    for (int i = 0; i < clusters; ++i) {
        float a = i * 2 * kPi / clusters + rnd.Float(-0.3f, 0.3f);
        float d = r * rnd.Float(0.45f, 0.6f);
        centres.push_back({c + std::cos(a) * d, c + std::sin(a) * d});
        crown = content::Union(crown, content::Circle(centres.back().x, centres.back().y,
                                                      r * rnd.Float(0.42f, 0.52f)));
    }
    crown = Lumpy(crown, 6, 5, seed + 1);
    content::Shadow(img, crown, size * 0.07f, size * 0.09f, size * 0.05f, 0.45f);
    content::Fill(img, crown, [&](float x, float y, float d) {
        // Each point is lit by its nearest cluster, so the crown reads as bunches of leaves.
        float best = 1e9f, nx = 0, ny = 0;
        for (const content::Vec2& p : centres) {
            float dd = std::hypot(x - p.x, y - p.y);
            if (dd < best) {
                best = dd;
                nx = (x - p.x) / (r * 0.5f);
                ny = (y - p.y) / (r * 0.5f);
            }
        }
        float whole = content::DomeLight((x - c) / r, (y - c) / r);
        float local = content::DomeLight(nx, ny);
        float n = content::Fbm(x / 3, y / 3, 0, 2, seed + 2);
        float edge = std::clamp(-d / 5.0f, 0.0f, 1.0f);
        return content::Scale(leaf, (0.45f + 0.45f * local + 0.35f * whole) * (0.8f + 0.4f * n) *
                                        (0.7f + 0.3f * edge));
    });
    return img;
}

Image Pine(int size, uint32_t seed) {
    Image img(size, size);
    float c = size / 2.0f;
    Rgba needle = content::Mix(FromArgb(pal::kMoss2), FromArgb(pal::kNight3), 0.3f);
    for (int layer = 0; layer < 3; ++layer) {
        float r = size * (0.45f - layer * 0.12f);
        std::vector<content::Vec2> star;
        int points = 9 - layer;
        for (int i = 0; i < points * 2; ++i) {
            float a = i * kPi / points + layer * 0.3f;
            float rr = i % 2 == 0 ? r : r * 0.62f;
            star.push_back({c + std::cos(a) * rr, c + std::sin(a) * rr});
        }
        Sdf s = Lumpy(content::Polygon(star), 3, 4, seed + layer);
        if (layer == 0) {
            content::Shadow(img, s, size * 0.08f, size * 0.1f, size * 0.05f, 0.45f);
        }
        content::Fill(img, s, [&, r, layer](float x, float y, float d) {
            float l = content::DomeLight((x - c) / r, (y - c) / r);
            float edge = std::clamp(-d / 6.0f, 0.0f, 1.0f);
            return content::Scale(needle, (0.55f + 0.5f * l) * (0.75f + 0.25f * edge) *
                                              (1.0f + 0.12f * layer));
        });
    }
    content::FillColor(img, content::Circle(c, c, 2.5f), FromArgb(pal::kWood1));
    return img;
}

Image DeadTree(int size, uint32_t seed) {
    Image img(size, size);
    float c = size / 2.0f;
    content::Random rnd(seed);
    Sdf branches = content::Circle(c, c, size * 0.07f);
    for (int i = 0; i < 6; ++i) {
        float a = i * 2 * kPi / 6 + rnd.Float(-0.4f, 0.4f);
        float l = size * rnd.Float(0.3f, 0.44f);
        float ex = c + std::cos(a) * l, ey = c + std::sin(a) * l;
        branches = content::Union(branches, content::Segment(c, c, ex, ey, size * 0.025f));
        float a2 = a + rnd.Float(0.4f, 0.8f) * (i % 2 ? 1 : -1);
        float mx = c + std::cos(a) * l * 0.6f, my = c + std::sin(a) * l * 0.6f;
        branches =
            content::Union(branches, content::Segment(mx, my, mx + std::cos(a2) * l * 0.4f,
                                                      my + std::sin(a2) * l * 0.4f, size * 0.015f));
    }
    content::Shadow(img, branches, size * 0.08f, size * 0.1f, 2.5f, 0.4f);
    content::Fill(img, branches,
                  LitGrain(FromArgb(pal::kWood1), c, c, size * 0.45f, 2, 0.4f, seed));
    return img;
}

Image Rock(int w, int h, uint32_t seed, bool mossy) {
    Image img(w, h);
    float cx = w * 0.46f, cy = h * 0.45f;
    content::Random rnd(seed);
    std::vector<content::Vec2> pts;
    for (int i = 0; i < 9; ++i) {
        float a = i * 2 * kPi / 9 + rnd.Float(-0.2f, 0.2f);
        float k = rnd.Float(0.8f, 1.0f);
        pts.push_back({cx + std::cos(a) * w * 0.38f * k, cy + std::sin(a) * h * 0.38f * k});
    }
    Sdf rock = Lumpy(content::Offset(content::Polygon(pts), 1.5f), 3, 6, seed);
    Shader stone = LitGrain(FromArgb(pal::kStone1), cx - 2, cy - 2, w * 0.4f, 3, 0.45f, seed + 5);
    ShadowedOutlined(
        img, rock,
        [&](float x, float y, float d) {
            Rgba c = stone(x, y, d);
            if (mossy) {
                // Moss settles on top (up-left), where it would catch the rain.
                float m =
                    content::Fbm(x / 6, y / 6, 0, 3, seed + 9) + ((cx - x) + (cy - y)) / (w * 0.8f);
                c = content::Mix(c, FromArgb(pal::kMoss2),
                                 std::clamp((m - 0.75f) * 3.0f, 0.0f, 0.85f));
            }
            return c;
        },
        pal::kStone0, 3.5f);
    return img;
}

// Ruined wall seen from above: a row of cut blocks, the ends broken off.
Image Wall(int length, bool vertical, uint32_t seed) {
    const int thick = 34;
    const float height = 7; // the south face shows below the tops
    Image img(vertical ? thick + 8 : length,
              static_cast<int>(vertical ? length + height : thick + 8 + height));
    content::Random rnd(seed);
    Sdf all = content::Box(0, 0, 0, 0);
    std::vector<std::pair<Sdf, float>> blocks;
    float pos = 4;
    while (pos < length - 8) {
        float len = std::min(rnd.Float(22, 34), length - 6 - pos);
        float along = pos + len / 2, across = thick / 2.0f + 1 + rnd.Float(-1.5f, 1.5f);
        float half = thick / 2.0f - rnd.Float(0, 2.5f);
        Sdf b = vertical
                    ? content::Box(across, along, half, len / 2 - 1.5f, 2.5f, rnd.Float(-3, 3))
                    : content::Box(along, across, len / 2 - 1.5f, half, 2.5f, rnd.Float(-3, 3));
        b = Lumpy(b, 2.5f, 5, rnd.Next());
        blocks.push_back({b, rnd.Float(0.8f, 1.1f)});
        all = content::Union(all, b);
        pos += len;
    }
    content::Shadow(img, content::Translate(all, 0, height), 4, 5, 3.5f, 0.45f);
    for (auto& [b, tone] : blocks) {
        // The block's south face, in shade, then its sunlit top.
        Sdf face =
            content::Union(content::Translate(b, 0, height), content::Translate(b, 0, height / 2));
        content::FillOutlined(img, face,
                              Rimmed(content::Scale(FromArgb(pal::kStone0), 0.8f), 0.3f, 3),
                              content::Scale(FromArgb(pal::kStone0), 0.4f));
    }
    for (auto& [b, tone] : blocks) {
        content::FillOutlined(
            img, b,
            [&, tone](float x, float y, float d) {
                float n = content::Fbm(x / 4, y / 4, 0, 3, seed + 3);
                float edge = std::clamp(-d / 5.0f, 0.0f, 1.0f);
                // Top faces lit, the down-right rims in shade.
                Rgba c = content::Scale(FromArgb(pal::kStone1),
                                        tone * (0.75f + 0.35f * n) * (0.8f + 0.3f * edge));
                float moss = std::clamp((content::Fbm(x / 9, y / 9, 0, 3, seed + 4) - 0.6f) * 3.0f,
                                        0.0f, 0.7f);
                return content::Mix(c, FromArgb(pal::kMoss1), moss);
            },
            content::Scale(FromArgb(pal::kStone0), 0.5f));
    }
    return img;
}

Image Pillar(bool broken, uint32_t seed) {
    const int size = broken ? 60 : 52;
    Image img(size, size);
    float c = size / 2.0f - 2;
    Sdf base = content::Box(c, c, 20, 20, 4);
    Sdf column = content::Circle(c, c, 15);
    content::Shadow(img, broken ? base : content::Union(base, column), 6, 7, 4, 0.45f);
    content::FillOutlined(img, base, LitGrain(FromArgb(pal::kStone1), c, c, 22, 3, 0.4f, seed),
                          content::Scale(FromArgb(pal::kStone0), 0.5f));
    if (broken) {
        // A jagged stump, with a fallen drum lying beside it.
        Sdf stump = Lumpy(content::Circle(c, c, 14), 5, 3, seed + 1);
        content::FillOutlined(img, stump,
                              LitGrain(FromArgb(pal::kStone2), c - 3, c - 3, 14, 2, 0.5f, seed + 2),
                              content::Scale(FromArgb(pal::kStone0), 0.5f));
        content::FillColor(img, content::Circle(c, c, 6), FromArgb(pal::kStone0, 0.6f));
        Sdf drum = content::Box(c + 20, c + 22, 9, 6, 3, 25);
        content::FillOutlined(img, drum, Lit(FromArgb(pal::kStone1), c + 18, c + 20, 9),
                              content::Scale(FromArgb(pal::kStone0), 0.5f));
        return img;
    }
    content::FillOutlined(
        img, column,
        [&](float x, float y, float) {
            // Fluting: brightness ripples around the column's rim.
            float a = std::atan2(y - c, x - c);
            float l = content::DomeLight((x - c) / 15, (y - c) / 15);
            float flute = 0.92f + 0.08f * std::cos(a * 16);
            return content::Scale(FromArgb(pal::kStone2), (0.55f + 0.5f * l) * flute);
        },
        content::Scale(FromArgb(pal::kStone0), 0.5f));
    content::FillColor(img, content::Subtract(content::Circle(c, c, 10), content::Circle(c, c, 9)),
                       FromArgb(pal::kStone0, 0.5f));
    return img;
}

Image Rubble(uint32_t seed) {
    Image img(56, 44);
    content::Random rnd(seed);
    for (int i = 0; i < 7; ++i) {
        float x = rnd.Float(12, 44), y = rnd.Float(10, 32), s = rnd.Float(4, 9);
        Sdf chunk = content::Box(x, y, s, s * 0.8f, 1.5f, rnd.Float(0, 90));
        ShadowedOutlined(img, chunk,
                         LitGrain(FromArgb(pal::kStone1), x - 2, y - 2, s, 2, 0.4f, seed + i),
                         pal::kStone0, 2);
    }
    return img;
}

Image Bush(uint32_t seed) {
    return Canopy(48, content::Mix(FromArgb(pal::kMoss2), FromArgb(pal::kNight3), 0.3f), 5, seed);
}

} // namespace

void DrawProps(SpriteSheet& props) {
    Rgba oak = content::Mix(FromArgb(pal::kMoss2), FromArgb(pal::kNight3), 0.25f);
    props.AddSolid("tree_oak", Canopy(120, oak, 7, 100));
    props.AddSolid("tree_oak_small", Canopy(88, oak, 6, 101));
    props.AddSolid("tree_pine", Pine(96, 110));
    props.AddSolid("tree_dead", DeadTree(96, 120));
    props.Add("bush", Bush(130));
    props.AddSolid("rock_large", Rock(76, 64, 140, true));
    props.AddSolid("rock_small", Rock(40, 36, 141, false));
    props.AddSolid("wall_ruin", Wall(128, false, 150));
    props.AddSolid("wall_ruin_vertical", Wall(128, true, 151));
    props.AddSolid("wall_ruin_short", Wall(72, false, 152));
    props.AddSolid("pillar", Pillar(false, 160));
    props.AddSolid("pillar_broken", Pillar(true, 161));
    props.Add("rubble", Rubble(170));
}

} // namespace art
