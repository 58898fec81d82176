// Just enough PNG to write 8-bit RGBA images: stored (uncompressed)
// deflate blocks, so the generator needs no image library.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// rgba: width * height * 4 bytes, rows top first.
bool WritePng(const std::string& path, int width, int height,
              const std::vector<std::uint8_t>& rgba);
