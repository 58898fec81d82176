#include "tools/contentkit/Shape.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace content {

namespace {

constexpr float kPi = 3.14159265f;

// Finds the area a shape can touch by scanning the image on a coarse grid; the
// distance field tells how far the shape can be from each probe.
struct Bounds {
    int x0, y0, x1, y1;
};

Bounds FindBounds(const Image& img, const Sdf& shape, float padding) {
    const int step = 8;
    int x0 = img.Width(), y0 = img.Height(), x1 = -1, y1 = -1;
    for (int y = 0; y < img.Height() + step; y += step) {
        for (int x = 0; x < img.Width() + step; x += step) {
            float d = shape(x + 0.5f, y + 0.5f);
            if (d < step * 1.5f + padding) {
                x0 = std::min(x0, x - step);
                y0 = std::min(y0, y - step);
                x1 = std::max(x1, x + step);
                y1 = std::max(y1, y + step);
            }
        }
    }
    return {std::max(0, x0), std::max(0, y0), std::min(img.Width() - 1, x1),
            std::min(img.Height() - 1, y1)};
}

} // namespace

Sdf Circle(float cx, float cy, float r) {
    return [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; };
}

Sdf Ellipse(float cx, float cy, float rx, float ry, float angleDeg) {
    float c = std::cos(-angleDeg * kPi / 180), s = std::sin(-angleDeg * kPi / 180);
    return [=](float x, float y) {
        float px = (x - cx) * c - (y - cy) * s, py = (x - cx) * s + (y - cy) * c;
        float k = std::hypot(px / rx, py / ry);
        return (k - 1.0f) * std::min(rx, ry);
    };
}

Sdf Box(float cx, float cy, float hw, float hh, float round, float angleDeg) {
    float c = std::cos(-angleDeg * kPi / 180), s = std::sin(-angleDeg * kPi / 180);
    return [=](float x, float y) {
        float px = (x - cx) * c - (y - cy) * s, py = (x - cx) * s + (y - cy) * c;
        float qx = std::abs(px) - hw + round, qy = std::abs(py) - hh + round;
        float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
        return outside + std::min(std::max(qx, qy), 0.0f) - round;
    };
}

Sdf Segment(float ax, float ay, float bx, float by, float r) {
    return [=](float x, float y) {
        float pax = x - ax, pay = y - ay, bax = bx - ax, bay = by - ay;
        float len2 = bax * bax + bay * bay;
        float h = len2 > 0 ? std::clamp((pax * bax + pay * bay) / len2, 0.0f, 1.0f) : 0.0f;
        return std::hypot(pax - bax * h, pay - bay * h) - r;
    };
}

Sdf Polygon(std::vector<Vec2> v) {
    return [v = std::move(v)](float x, float y) {
        float d = std::numeric_limits<float>::max();
        bool inside = false;
        for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
            float ex = v[j].x - v[i].x, ey = v[j].y - v[i].y;
            float wx = x - v[i].x, wy = y - v[i].y;
            float len2 = ex * ex + ey * ey;
            float h = len2 > 0 ? std::clamp((wx * ex + wy * ey) / len2, 0.0f, 1.0f) : 0.0f;
            d = std::min(d, std::hypot(wx - ex * h, wy - ey * h));
            bool a = v[i].y > y, b = v[j].y > y;
            if (a != b && x < ex * (y - v[i].y) / ey + v[i].x) {
                inside = !inside;
            }
        }
        return inside ? -d : d;
    };
}

Sdf Union(Sdf a, Sdf b) {
    return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}
Sdf Subtract(Sdf a, Sdf b) {
    return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}
Sdf Intersect(Sdf a, Sdf b) {
    return [=](float x, float y) { return std::max(a(x, y), b(x, y)); };
}
Sdf Offset(Sdf a, float grow) {
    return [=](float x, float y) { return a(x, y) - grow; };
}
Sdf Translate(Sdf a, float dx, float dy) {
    return [=](float x, float y) { return a(x - dx, y - dy); };
}
Sdf Warp(Sdf a, std::function<float(float, float)> bump) {
    return [=](float x, float y) { return a(x, y) + bump(x, y); };
}

void FillArea(Image& img, const Sdf& shape, const Shader& shader, int x0, int y0, int x1, int y1,
              bool wrap) {
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            float cx = x + 0.5f, cy = y + 0.5f;
            float d = shape(cx, cy);
            if (d > 1.5f) {
                continue;
            }
            float cover = 1.0f;
            if (d > -1.5f) {
                // Near the edge: count sub-samples for a clean anti-aliased rim.
                int hits = 0;
                for (int sy = 0; sy < 4; ++sy) {
                    for (int sx = 0; sx < 4; ++sx) {
                        hits += shape(x + (sx + 0.5f) / 4, y + (sy + 0.5f) / 4) < 0 ? 1 : 0;
                    }
                }
                cover = hits / 16.0f;
            }
            if (cover <= 0) {
                continue;
            }
            int px = x, py = y;
            if (wrap) {
                px = ((x % img.Width()) + img.Width()) % img.Width();
                py = ((y % img.Height()) + img.Height()) % img.Height();
            }
            img.Blend(px, py, shader(cx, cy, d), cover);
        }
    }
}

void Fill(Image& img, const Sdf& shape, const Shader& shader, float padding) {
    Bounds b = FindBounds(img, shape, padding);
    FillArea(img, shape, shader, b.x0, b.y0, b.x1, b.y1, false);
}

void FillColor(Image& img, const Sdf& shape, const Rgba& colour) {
    Fill(img, shape, [&](float, float, float) { return colour; });
}

void Shadow(Image& img, const Sdf& shape, float dx, float dy, float blur, float alpha) {
    Sdf moved = Translate(shape, dx, dy);
    Bounds b = FindBounds(img, moved, blur + 2);
    for (int y = b.y0; y <= b.y1; ++y) {
        for (int x = b.x0; x <= b.x1; ++x) {
            float d = moved(x + 0.5f, y + 0.5f);
            float t = std::clamp(0.5f - d / (2 * blur), 0.0f, 1.0f);
            float a = t * t * (3 - 2 * t) * alpha;
            if (a > 0) {
                img.Blend(x, y, {0.02f, 0.02f, 0.05f, a});
            }
        }
    }
}

void FillOutlined(Image& img, const Sdf& shape, const Shader& shader, const Rgba& outline) {
    FillColor(img, Offset(shape, 1.0f), outline);
    Fill(img, shape, shader);
}

float DomeLight(float nx, float ny) {
    float r2 = std::min(1.0f, nx * nx + ny * ny);
    float nz = std::sqrt(1.0f - r2);
    // Light from the upper left and somewhat above.
    float l = (-nx * 0.55f - ny * 0.55f + nz * 0.63f);
    return std::clamp(0.35f + 0.75f * l, 0.0f, 1.25f);
}

} // namespace content
