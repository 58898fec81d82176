// Draws the particle images the authored effects use: soft white shapes
// whose colour comes from the particle settings. Deterministic, so running
// it again gives the same bytes.
#include "tools/contentkit/PngWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

namespace {

constexpr float kPi = 3.14159265f;

struct Texel {
    float shade = 1; // grey level of the colour, 1 = white
    float alpha = 0;
};

// u, v run from -1 to 1 across the image, y down.
using Shape = std::function<Texel(float u, float v)>;

float Hash(int x, int y, int seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

float Smooth(float t) {
    return t * t * (3 - 2 * t);
}

// Value noise that wraps every `period` cells.
float Noise(float x, float y, int period, int seed) {
    int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    float fx = Smooth(x - static_cast<float>(ix)), fy = Smooth(y - static_cast<float>(iy));
    auto at = [&](int cx, int cy) {
        return Hash(((cx % period) + period) % period, ((cy % period) + period) % period, seed);
    };
    float top = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * fx;
    float bottom = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * fx;
    return top + (bottom - top) * fy;
}

float Fractal(float u, float v, int seed) {
    float sum = 0, weight = 0.5f;
    for (int octave = 0, period = 4; octave < 4; ++octave, period *= 2) {
        sum += Noise((u + 1) * static_cast<float>(period) / 2,
                     (v + 1) * static_cast<float>(period) / 2, period, seed + octave) *
               weight;
        weight *= 0.5f;
    }
    return sum / 0.9375f;
}

float Clamp01(float x) {
    return std::clamp(x, 0.0f, 1.0f);
}

bool Draw(const std::string& folder, const std::string& name, int w, int h, const Shape& shape) {
    const int kSamples = 3; // supersampled edges stay soft at any size
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(w * h * 4));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            float shade = 0, alpha = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    float u = (static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) / kSamples) /
                                  static_cast<float>(w) * 2 -
                              1;
                    float v = (static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) / kSamples) /
                                  static_cast<float>(h) * 2 -
                              1;
                    Texel t = shape(u, v);
                    shade += Clamp01(t.shade) * Clamp01(t.alpha);
                    alpha += Clamp01(t.alpha);
                }
            }
            float n = kSamples * kSamples;
            float grey = alpha > 0 ? shade / alpha : 1;
            std::size_t at = static_cast<std::size_t>((y * w + x) * 4);
            auto byte = [](float f) { return static_cast<std::uint8_t>(Clamp01(f) * 255 + 0.5f); };
            rgba[at] = rgba[at + 1] = rgba[at + 2] = byte(grey);
            rgba[at + 3] = byte(alpha / n);
        }
    }
    std::string path = folder + "/" + name + ".png";
    if (!content::WritePng(path, w, h, rgba)) {
        std::fprintf(stderr, "fxgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

Texel Glow(float u, float v) {
    float r = std::sqrt(u * u + v * v);
    float a = Clamp01(1 - r);
    return {1, a * a * (0.6f + 0.4f * a)};
}

Texel Spark(float u, float v) {
    float r2 = u * u + v * v;
    return {1, std::exp(-r2 * 10) + 0.25f * Clamp01(1 - std::sqrt(r2))};
}

// A tongue of flame, rounded at the bottom and licking upwards; each frame
// bends the tip another way.
Shape Flame(int frame) {
    return [frame](float u, float v) {
        float t = (v + 1) / 2; // 0 top, 1 bottom
        float sway =
            std::sin(t * kPi * 1.5f + static_cast<float>(frame) * kPi / 2) * 0.18f * (1 - t);
        float halfWidth = 0.75f * std::pow(std::sin(Clamp01(t) * kPi * 0.92f), 0.8f) + 0.02f;
        float d = std::fabs(u - sway) / halfWidth;
        float edge = Clamp01((1 - d) * 3);
        float flicker =
            0.75f + 0.25f * Fractal(u * 0.5f, v * 0.5f + static_cast<float>(frame) * 0.25f, 11);
        float core = Clamp01(1.2f - d) * Clamp01(t * 1.5f);
        return Texel{1, edge * flicker * (0.35f + 0.65f * core) * Clamp01((1 - t) * 8)};
    };
}

Texel Mist(float u, float v) {
    float r = std::sqrt(u * u + v * v);
    float falloff = Clamp01(1 - r);
    // Large soft lumps, not grain: drifting mist reads as a cloud.
    float n = 0.65f * Noise((u + 1) * 1.5f, (v + 1) * 1.5f, 3, 23) + 0.35f * Fractal(u, v, 29);
    return {1, Clamp01(n * 1.3f - 0.05f) * std::pow(falloff, 1.4f)};
}

Texel Ring(float u, float v) {
    float r = std::sqrt(u * u + v * v);
    float angle = std::atan2(v, u);
    auto band = [r](float at, float width) { return std::exp(-std::pow((r - at) / width, 2.0f)); };
    float ticks = std::pow(std::fabs(std::cos(angle * 12)), 40.0f) *
                  Clamp01(1 - std::fabs(r - 0.78f) / 0.06f);
    float a =
        band(0.88f, 0.035f) + 0.7f * band(0.68f, 0.025f) + 0.8f * ticks + 0.12f * Clamp01(1 - r);
    return {1, a};
}

// Runes: a few strokes picked by the seed, drawn as soft lines.
Shape Rune(int seed) {
    return [seed](float u, float v) {
        float a = 0;
        for (int stroke = 0; stroke < 3; ++stroke) {
            float x0 = Hash(stroke, 0, seed) * 1.2f - 0.6f,
                  y0 = Hash(stroke, 1, seed) * 1.2f - 0.6f;
            float x1 = Hash(stroke, 2, seed) * 1.2f - 0.6f,
                  y1 = Hash(stroke, 3, seed) * 1.2f - 0.6f;
            float dx = x1 - x0, dy = y1 - y0;
            float t = Clamp01(((u - x0) * dx + (v - y0) * dy) / (dx * dx + dy * dy + 1e-6f));
            float px = x0 + dx * t - u, py = y0 + dy * t - v;
            a = std::max(a, std::exp(-(px * px + py * py) / 0.008f));
        }
        return Texel{1, a + 0.15f * Clamp01(1 - std::sqrt(u * u + v * v))};
    };
}

Texel Shard(float u, float v) {
    float d = std::fabs(u) + std::fabs(v) * 1.0f; // a diamond, long along x
    float facet = u < 0 ? 0.85f : 1.0f;           // lit edge on one side
    return {facet, Clamp01((1 - d) * 6) * (0.7f + 0.3f * Clamp01(1 - std::fabs(v) * 2))};
}

Texel Rock(float u, float v) {
    float angle = std::atan2(v, u);
    float r = std::sqrt(u * u + v * v);
    float edge = 0.55f + 0.4f * Noise(angle / kPi * 3.5f + 3.5f, 0.5f, 7, 41);
    // Lit from the upper left.
    float light = 0.55f + 0.45f * Clamp01(0.5f - 0.5f * (u + v) / 1.4f + 0.3f);
    return {light, Clamp01((edge - r) * 12)};
}

Texel Streak(float u, float v) {
    float along = Clamp01(1 - std::fabs(u));
    return {1, std::exp(-v * v / 0.12f) * std::pow(along, 0.7f)};
}

Texel Star(float u, float v) {
    float cross = std::exp(-std::fabs(u) * 14) * Clamp01(1 - std::fabs(v)) +
                  std::exp(-std::fabs(v) * 14) * Clamp01(1 - std::fabs(u));
    return {1, cross + Glow(u * 1.5f, v * 1.5f).alpha};
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fxgen <output folder>\n");
        return 2;
    }
    std::string out = argv[1];
    bool ok = Draw(out, "glow", 64, 64, Glow) && Draw(out, "spark", 16, 16, Spark) &&
              Draw(out, "mist", 128, 128, Mist) && Draw(out, "ring", 128, 128, Ring) &&
              Draw(out, "shard", 32, 16, Shard) && Draw(out, "rock", 24, 24, Rock) &&
              Draw(out, "streak", 64, 16, Streak) && Draw(out, "star", 32, 32, Star);
    for (int frame = 0; ok && frame < 4; ++frame) {
        ok = Draw(out, "flame" + std::to_string(frame), 48, 64, Flame(frame)) &&
             Draw(out, "rune" + std::to_string(frame), 32, 32, Rune(frame + 1));
    }
    return ok ? 0 : 1;
}
