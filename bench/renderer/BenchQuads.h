// The workload every renderer draws: the same quads each frame, varied in
// place, colour and turn, the texture switching every 500 quads.
#pragma once

#include "platform/engine/Engine.h"

#include <cstdint>
#include <vector>

constexpr int kBenchWidth = 1024;
constexpr int kBenchHeight = 768;
constexpr int kTextureRun = 500;
constexpr int kBenchTextureSize = 32;

struct BenchConfig {
    int quads = 10000; // per frame
    int size = 8;      // quad edge in pixels
    int warmup = 5;    // frames drawn before timing
    int frames = 20;   // frames timed
};

// Quad::tex holds 0 or 1: which of the two textures; each renderer maps it.
std::vector<Quad> MakeBenchQuads(int count, int size);
// ARGB pixels of texture 0 or 1 (kBenchTextureSize square).
std::vector<std::uint32_t> MakeBenchTexture(int which);
