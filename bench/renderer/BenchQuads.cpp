#include "bench/renderer/BenchQuads.h"

#include <cmath>
#include <random>

std::vector<Quad> MakeBenchQuads(int count, int size) {
    // A fixed seed: every renderer and every run draws the same frame.
    std::mt19937 random(1234);
    std::uniform_real_distribution<float> x(0, kBenchWidth - size), y(0, kBenchHeight - size);
    std::uniform_real_distribution<float> angle(0, 6.2831853f);
    std::uniform_int_distribution<std::uint32_t> channel(0, 255), alpha(128, 255);
    std::vector<Quad> quads(static_cast<size_t>(count));
    const float half = static_cast<float>(size) / 2;
    const float dx[4] = {-1, 1, 1, -1}, dy[4] = {-1, -1, 1, 1};
    const float u[4] = {0, 1, 1, 0}, v[4] = {0, 0, 1, 1};
    for (int i = 0; i < count; ++i) {
        Quad& q = quads[static_cast<size_t>(i)];
        const float cx = x(random) + half, cy = y(random) + half, a = angle(random);
        const float c = std::cos(a) * half, s = std::sin(a) * half;
        const std::uint32_t colour =
            alpha(random) << 24 | channel(random) << 16 | channel(random) << 8 | channel(random);
        for (int k = 0; k < 4; ++k)
            q.v[k] = Vertex{
                cx + dx[k] * c - dy[k] * s, cy + dx[k] * s + dy[k] * c, 0.5f, colour, u[k], v[k]};
        q.tex = static_cast<HTEXTURE>((i / kTextureRun) % 2);
        q.blend = BLEND_DEFAULT;
    }
    return quads;
}

std::vector<std::uint32_t> MakeBenchTexture(int which) {
    std::vector<std::uint32_t> pixels(kBenchTextureSize * kBenchTextureSize);
    for (int y = 0; y < kBenchTextureSize; ++y)
        for (int x = 0; x < kBenchTextureSize; ++x) {
            // A soft round glow, tinted differently per texture.
            const float fx = (x + 0.5f) / kBenchTextureSize - 0.5f;
            const float fy = (y + 0.5f) / kBenchTextureSize - 0.5f;
            const float d = std::fmin(1.0f, std::sqrt(fx * fx + fy * fy) * 2);
            const auto a = static_cast<std::uint32_t>((1 - d) * 255);
            pixels[static_cast<size_t>(y * kBenchTextureSize + x)] =
                a << 24 | (which ? 0x9CC8FFu : 0xFFB347u);
        }
    return pixels;
}
