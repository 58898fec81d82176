// Helpers shared by the drawing tests: the quads the headless engine
// recorded, and small image files for textures loaded from disk.
#pragma once

#include "platform/engine/Engine.h"
#include "tests/support/TestSupport.h"

#include <cstdint>
#include <string>
#include <vector>

namespace drawing_test {

inline std::vector<Quad> TakeQuads(Engine* engine) {
    std::vector<Quad> quads;
    for (const DrawRecord& record : engine->Gfx_TakeDrawRecords()) {
        if (record.kind == DrawRecord::Kind::Quad) {
            quads.push_back(record.quad);
        }
    }
    return quads;
}

// An uncompressed 24-bit BMP of the given size: the engine decodes it like
// any image and it needs no encoder.
inline void WriteBmp(const std::string& path, int width, int height) {
    int rowBytes = (width * 3 + 3) & ~3;
    std::uint32_t fileSize = 54 + static_cast<std::uint32_t>(rowBytes * height);
    std::string bytes(fileSize, '\0');
    auto put = [&](std::size_t offset, std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(2, fileSize, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(width), 4);
    put(22, static_cast<std::uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    testing_support::WriteFile(path, bytes);
}

} // namespace drawing_test
