// One function per renderer: draws config.frames timed frames of the bench
// quads in a 1024x768 window and returns quads per second (0 on failure).
#pragma once

#include "bench/renderer/BenchQuads.h"

double RunEngineBench(const BenchConfig& config);
double RunSdlRendererBench(const BenchConfig& config);
double RunMinimalGlBench(const BenchConfig& config);
