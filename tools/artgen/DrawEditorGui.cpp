// The editor's panel texture (512x1024) and slider knob. The layout is fixed
// by the editor: top panel (0,0)-(168,512) with the list, slider and
// thumbnail wells; bottom panel in x 168-336, anchored at row 512, showing
// rows 1024-H..512 with the button labels just above its bottom; the button
// frames at (336,338) and (383,338), see-through so the labels show.
#include "tools/artgen/Art.h"
#include "tools/artgen/Painter.h"
#include "tools/contentkit/FontFace.h"

#include <cmath>

namespace art {

namespace {

constexpr int kPanelW = 168;
constexpr int kButtonW = 47, kButtonH = 17;

// Panel stone: a horizontal falloff and fine grain, no vertical features, so
// any slice of the bottom panel looks the same.
Rgba PanelAt(int x, int y) {
    float n = content::Fbm(x / 3.0f, y / 3.0f, 0, 2, 1200);
    float across = 1.0f - 0.25f * x / kPanelW;
    Rgba c = content::Mix(FromArgb(pal::kNight1), FromArgb(pal::kNight2), 0.5f);
    c = content::Scale(c, across * (0.9f + 0.2f * n));
    if (x >= kPanelW - 3) {
        c = x == kPanelW - 1 ? FromArgb(pal::kNight0) : FromArgb(pal::kViolet0); // the edge
    }
    return c;
}

void PaintPanel(Image& img, int x0, int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
        for (int x = 0; x < kPanelW; ++x) {
            img.At(x0 + x, y) = PanelAt(x, y);
        }
    }
}

// A sunken rectangle: dark inside, shade along the top-left, light bottom-right.
void Well(Image& img, int x, int y, int w, int h, const Rgba& fill) {
    for (int yy = y - 2; yy < y + h + 2; ++yy) {
        for (int xx = x - 2; xx < x + w + 2; ++xx) {
            bool inside = xx >= x && yy >= y && xx < x + w && yy < y + h;
            Rgba c = fill;
            if (!inside) {
                bool shade = xx < x || yy < y;
                c = shade ? FromArgb(pal::kNight0) : FromArgb(pal::kStone0);
            }
            img.At(xx, yy) = c;
        }
    }
}

void Label(Image& img, const content::FontFace& font, int cx, int baseline, const std::string& text,
           const Rgba& colour) {
    Rgba shadow = FromArgb(pal::kNight0, 0.9f);
    font.Draw(img, cx - font.TextWidth(text) / 2, baseline, text, colour, &shadow);
}

// The label plate the editor shows through a button frame.
void ButtonFace(Image& img, const content::FontFace& font, int x, int y, const std::string& text) {
    for (int yy = 0; yy < kButtonH; ++yy) {
        for (int xx = 0; xx < kButtonW; ++xx) {
            float t = yy / static_cast<float>(kButtonH);
            img.At(x + xx, y + yy) =
                content::Mix(FromArgb(pal::kViolet0), FromArgb(pal::kNight2), t);
        }
    }
    Label(img, font, x + kButtonW / 2, y + 13, text, FromArgb(pal::kParchment));
}

// The button frame: bevel only, the middle left clear (pressed: inverted
// bevel and a faint shade so the press reads).
void ButtonFrame(Image& img, int x, int y, bool pressed) {
    Rgba light = FromArgb(pal::kViolet2, 0.9f), dark = FromArgb(pal::kNight0, 0.95f);
    for (int yy = 0; yy < kButtonH; ++yy) {
        for (int xx = 0; xx < kButtonW; ++xx) {
            bool top = yy == 0 || xx == 0, bottom = yy == kButtonH - 1 || xx == kButtonW - 1;
            if (top || bottom) {
                img.At(x + xx, y + yy) = (top != pressed) ? light : dark;
                if (top && bottom) {
                    img.At(x + xx, y + yy) = FromArgb(pal::kViolet1, 0.9f);
                }
            } else if (pressed) {
                img.At(x + xx, y + yy) = FromArgb(pal::kNight0, 0.3f);
            }
        }
    }
}

} // namespace

void DrawEditorGui(Image& menu, Image& slider) {
    menu = Image(512, 1024);
    content::FontFace title(content::DejaVuPath("DejaVuSerif-Bold.ttf"), 14);
    content::FontFace small(content::DejaVuPath("DejaVuSans.ttf"), 10);
    content::FontFace button(content::DejaVuPath("DejaVuSans-Bold.ttf"), 10);
    const Rgba ink = FromArgb(0xFFBBCBD2), accent = FromArgb(pal::kFire2);

    // Top panel.
    PaintPanel(menu, 0, 0, 512);
    Label(menu, title, 82, 20, "Duskmaw Editor", accent);
    small.Draw(menu, 11, 39, "Definitions", ink);
    Well(menu, 10, 44, 139, 128, FromArgb(pal::kNight0));
    Well(menu, 152, 44, 6, 128, content::Scale(FromArgb(pal::kNight0), 0.7f));
    small.Draw(menu, 11, 195, "Preview", ink);
    Well(menu, 10, 200, 128, 128, FromArgb(pal::kNight1));
    for (int y = 200; y < 328; ++y) {
        for (int x = 10; x < 138; ++x) {
            if (((x - 10) / 16 + (y - 200) / 16) % 2 == 0) {
                menu.At(x, y) = FromArgb(pal::kNight2); // a quiet checker behind the thumbnail
            }
        }
    }
    // An emblem below the wells: the four elements around a violet ring.
    Image emblem(kPanelW, 512);
    const uint32_t elements[4] = {pal::kFire1, pal::kIce1, pal::kEarth1, pal::kWind2};
    content::FillColor(
        emblem, content::Subtract(content::Circle(84, 420, 42), content::Circle(84, 420, 40)),
        FromArgb(pal::kViolet1, 0.5f));
    for (int i = 0; i < 4; ++i) {
        float a = i * 1.5708f - 0.7854f;
        float x = 84 + std::cos(a) * 41, y = 420 + std::sin(a) * 41;
        Glow(emblem, x, y, 9, FromArgb(elements[i]), 0.6f);
        content::FillColor(emblem, content::Circle(x, y, 3), FromArgb(elements[i]));
    }
    menu.Draw(emblem, 0, 0, 0.8f);

    // Bottom panel: uniform, with a divider and the labels at its foot.
    PaintPanel(menu, kPanelW, 0, 512);
    for (int x = kPanelW + 6; x < 2 * kPanelW - 9; ++x) {
        menu.At(x, 478) = FromArgb(pal::kNight0);
        menu.At(x, 479) = FromArgb(pal::kViolet0);
    }
    const int rowFromBottom = 512 - 27; // the buttons sit at screen row H - 27
    ButtonFace(menu, button, kPanelW + 9, rowFromBottom, "Save");
    ButtonFace(menu, button, kPanelW + 60, rowFromBottom, "Open");
    ButtonFace(menu, button, kPanelW + 111, rowFromBottom, "Exit");

    ButtonFrame(menu, 336, 338, false);
    ButtonFrame(menu, 383, 338, true);

    slider = Image(8, 8);
    content::FillOutlined(slider, content::Box(3, 3, 2.6f, 2.6f, 1),
                          Lit(FromArgb(pal::kViolet2), 2, 2, 3, 1.2f), FromArgb(pal::kNight0));
}

} // namespace art
