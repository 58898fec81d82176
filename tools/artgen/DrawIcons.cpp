// The desktop icons of the game and the editor, drawn at each size they are
// installed in rather than scaled, so the small ones stay crisp.
#include "tools/artgen/Art.h"
#include "tools/artgen/Painter.h"

#include <algorithm>
#include <cmath>

namespace art {
namespace {

// Both icons share the rounded tile; everything is laid out on a 256 grid.
constexpr float kGrid = 256.0f;

Sdf Tile(float k) {
    return content::Box(128 * k, 128 * k, 118 * k, 118 * k, 34 * k);
}

// The game: a dusk sky around a violet orb, ringed by the four elements the
// player combines.
Image GameIcon(int size) {
    const float k = size / kGrid;
    Image img(size, size);
    content::Shadow(img, Tile(k), 3 * k, 4 * k, 6 * k, 0.45f);
    content::Fill(img, Tile(k), [k](float, float y, float d) {
        Rgba sky = content::Mix(FromArgb(pal::kNight0), FromArgb(pal::kViolet0), y / (256 * k));
        return content::Scale(sky, std::clamp(0.75f - d / (40 * k), 0.75f, 1.0f));
    });
    Glow(img, 128 * k, 128 * k, 100 * k, FromArgb(pal::kViolet2), 0.55f, 1.6f);
    content::Fill(img, content::Circle(128 * k, 128 * k, 44 * k),
                  Lit(FromArgb(pal::kViolet1), 128 * k, 128 * k, 44 * k, 1.2f));
    content::FillColor(img, content::Ellipse(113 * k, 110 * k, 13 * k, 7 * k, -40),
                       FromArgb(pal::kWind0, 0.75f));
    const uint32_t elements[] = {pal::kFire1, pal::kIce1, pal::kEarth1, pal::kWind2};
    for (int i = 0; i < 4; ++i) {
        const float angle = -1.5707964f + i * 1.5707964f;
        const float x = (128 + 82 * std::cos(angle)) * k, y = (128 + 82 * std::sin(angle)) * k;
        Glow(img, x, y, 34 * k, FromArgb(elements[i]), 0.6f, 1.8f);
        content::FillOutlined(img, content::Circle(x, y, 19 * k),
                              Lit(FromArgb(elements[i]), x, y, 19 * k, 1.3f),
                              OutlineOf(elements[i]));
    }
    return img;
}

// The editor: a parchment map on its grid, a few placed things, and a quill
// pencil laying down another.
Image EditorIcon(int size) {
    const float k = size / kGrid;
    Image img(size, size);
    content::Shadow(img, Tile(k), 3 * k, 4 * k, 6 * k, 0.45f);
    content::Fill(img, Tile(k), Rimmed(FromArgb(pal::kParchment), 0.35f, 14 * k));
    const Rgba line = FromArgb(pal::kParchmentDark, 0.9f);
    const float width = std::max(0.6f, 2.2f * k);
    for (float at = 48; at < 230; at += 40) {
        content::FillColor(img, content::Segment(at * k, 22 * k, at * k, 234 * k, width), line);
        content::FillColor(img, content::Segment(22 * k, at * k, 234 * k, at * k, width), line);
    }
    // A tree, a standing stone and a shrine flame, each in a grid cell.
    content::FillOutlined(img, content::Circle(68 * k, 68 * k, 17 * k),
                          Lit(FromArgb(pal::kMoss2), 68 * k, 68 * k, 17 * k),
                          OutlineOf(pal::kMoss1));
    content::FillOutlined(img, content::Box(148 * k, 68 * k, 11 * k, 16 * k, 4 * k),
                          Lit(FromArgb(pal::kStone2), 148 * k, 68 * k, 16 * k),
                          OutlineOf(pal::kStone1));
    Glow(img, 68 * k, 148 * k, 26 * k, FromArgb(pal::kFire2), 0.6f, 1.6f);
    content::FillOutlined(img, content::Ellipse(68 * k, 150 * k, 10 * k, 15 * k),
                          Lit(FromArgb(pal::kFire1), 68 * k, 148 * k, 15 * k),
                          OutlineOf(pal::kFire0));
    // The selection band around the next cell, and the pencil placing there.
    const Sdf band = content::Subtract(content::Box(148 * k, 148 * k, 22 * k, 22 * k),
                                       content::Box(148 * k, 148 * k, 19 * k, 19 * k));
    content::FillColor(img, band, FromArgb(pal::kViolet1));
    const Sdf shaft = content::Box(186 * k, 186 * k, 50 * k, 11 * k, 3 * k, 45);
    content::Shadow(img, shaft, 3 * k, 4 * k, 4 * k, 0.4f);
    content::FillOutlined(img, shaft, Lit(FromArgb(pal::kWood2), 186 * k, 186 * k, 50 * k),
                          OutlineOf(pal::kWood0));
    content::FillOutlined(
        img, content::Polygon({{143 * k, 159 * k}, {159 * k, 143 * k}, {140 * k, 140 * k}}),
        Lit(FromArgb(pal::kBone), 150 * k, 150 * k, 12 * k), OutlineOf(pal::kWood0));
    content::FillColor(img, content::Circle(142.5f * k, 142.5f * k, 3.5f * k), FromArgb(pal::kInk));
    return img;
}

} // namespace

bool WriteIcons(const std::string& folder) {
    bool ok = true;
    for (int size : {48, 128, 256}) {
        const std::string file = std::to_string(size) + ".png";
        ok = GameIcon(size).SavePng(folder + "/duskmaw-" + file) && ok;
        ok = EditorIcon(size).SavePng(folder + "/duskmaw-editor-" + file) && ok;
    }
    return ok;
}

} // namespace art
