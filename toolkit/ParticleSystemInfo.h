// The settings of a particle system: the 128-byte ".psi" record, read and
// written field by field in little-endian order so the files do not depend on
// the compiler's struct layout or the machine's byte order.
#pragma once

#include <cstddef>
#include <cstdint>

class Sprite;

struct ColorF {
    float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;
};

struct ParticleSystemInfo {
    static constexpr std::size_t kRecordSize = 128;

    Sprite* sprite = nullptr; // not owned; the file's slot is ignored
    int emission = 0;         // particles per second
    float lifetime = 0.0f;    // seconds, -1 = endless
    float particleLifeMin = 0.0f, particleLifeMax = 0.0f;
    float direction = 0.0f, spread = 0.0f; // radians
    bool relative = false;
    float speedMin = 0.0f, speedMax = 0.0f;
    float gravityMin = 0.0f, gravityMax = 0.0f;
    float radialAccelMin = 0.0f, radialAccelMax = 0.0f;
    float tangentialAccelMin = 0.0f, tangentialAccelMax = 0.0f;
    float sizeStart = 0.0f, sizeEnd = 0.0f, sizeVar = 0.0f;
    float spinStart = 0.0f, spinEnd = 0.0f, spinVar = 0.0f;
    ColorF colorStart, colorEnd; // a negative start red keeps the sprite's colour
    float colorVar = 0.0f, alphaVar = 0.0f;

    // Reads the first 128 bytes; false (and the info untouched) when fewer
    // are given.
    bool Read(const void* bytes, std::size_t size);
    // The record as stored in a file (sprite slot 0).
    void Write(std::uint8_t out[kRecordSize]) const;
};
