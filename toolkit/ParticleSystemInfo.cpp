#include "toolkit/ParticleSystemInfo.h"

#include <cstring>

namespace {

// Little-endian field access by offset, so nothing depends on struct layout.
class RecordReader {
public:
    explicit RecordReader(const std::uint8_t* bytes) : m_bytes(bytes) {}
    std::uint32_t U32(std::size_t offset) const {
        const std::uint8_t* p = m_bytes + offset;
        return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
               static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    }
    float F32(std::size_t offset) const {
        std::uint32_t bits = U32(offset);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    bool Bool(std::size_t offset) const { return m_bytes[offset] != 0; }

private:
    const std::uint8_t* m_bytes;
};

class RecordWriter {
public:
    explicit RecordWriter(std::uint8_t* bytes) : m_bytes(bytes) {}
    void U32(std::size_t offset, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            m_bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    }
    void F32(std::size_t offset, float value) {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        U32(offset, bits);
    }

private:
    std::uint8_t* m_bytes;
};

// Offsets of the fields in the stored record.
enum Offset : std::size_t {
    kSpriteSlot = 0,
    kEmission = 4,
    kLifetime = 8,
    kLifeMin = 12,
    kLifeMax = 16,
    kDirection = 20,
    kSpread = 24,
    kRelative = 28,
    kSpeedMin = 32,
    kSpeedMax = 36,
    kGravityMin = 40,
    kGravityMax = 44,
    kRadialMin = 48,
    kRadialMax = 52,
    kTangentialMin = 56,
    kTangentialMax = 60,
    kSizeStart = 64,
    kSizeEnd = 68,
    kSizeVar = 72,
    kSpinStart = 76,
    kSpinEnd = 80,
    kSpinVar = 84,
    kColorStart = 88,
    kColorEnd = 104,
    kColorVar = 120,
    kAlphaVar = 124,
};

} // namespace

bool ParticleSystemInfo::Read(const void* bytes, std::size_t size) {
    if (bytes == nullptr || size < kRecordSize) {
        return false;
    }
    RecordReader in(static_cast<const std::uint8_t*>(bytes));
    emission = static_cast<std::int32_t>(in.U32(kEmission));
    lifetime = in.F32(kLifetime);
    particleLifeMin = in.F32(kLifeMin);
    particleLifeMax = in.F32(kLifeMax);
    direction = in.F32(kDirection);
    spread = in.F32(kSpread);
    relative = in.Bool(kRelative);
    speedMin = in.F32(kSpeedMin);
    speedMax = in.F32(kSpeedMax);
    gravityMin = in.F32(kGravityMin);
    gravityMax = in.F32(kGravityMax);
    radialAccelMin = in.F32(kRadialMin);
    radialAccelMax = in.F32(kRadialMax);
    tangentialAccelMin = in.F32(kTangentialMin);
    tangentialAccelMax = in.F32(kTangentialMax);
    sizeStart = in.F32(kSizeStart);
    sizeEnd = in.F32(kSizeEnd);
    sizeVar = in.F32(kSizeVar);
    spinStart = in.F32(kSpinStart);
    spinEnd = in.F32(kSpinEnd);
    spinVar = in.F32(kSpinVar);
    colorStart = {in.F32(kColorStart), in.F32(kColorStart + 4), in.F32(kColorStart + 8),
                  in.F32(kColorStart + 12)};
    colorEnd = {in.F32(kColorEnd), in.F32(kColorEnd + 4), in.F32(kColorEnd + 8),
                in.F32(kColorEnd + 12)};
    colorVar = in.F32(kColorVar);
    alphaVar = in.F32(kAlphaVar);
    return true;
}

void ParticleSystemInfo::Write(std::uint8_t out[kRecordSize]) const {
    std::memset(out, 0, kRecordSize);
    RecordWriter w(out);
    w.U32(kSpriteSlot, 0);
    w.U32(kEmission, static_cast<std::uint32_t>(emission));
    w.F32(kLifetime, lifetime);
    w.F32(kLifeMin, particleLifeMin);
    w.F32(kLifeMax, particleLifeMax);
    w.F32(kDirection, direction);
    w.F32(kSpread, spread);
    out[kRelative] = relative ? 1 : 0;
    w.F32(kSpeedMin, speedMin);
    w.F32(kSpeedMax, speedMax);
    w.F32(kGravityMin, gravityMin);
    w.F32(kGravityMax, gravityMax);
    w.F32(kRadialMin, radialAccelMin);
    w.F32(kRadialMax, radialAccelMax);
    w.F32(kTangentialMin, tangentialAccelMin);
    w.F32(kTangentialMax, tangentialAccelMax);
    w.F32(kSizeStart, sizeStart);
    w.F32(kSizeEnd, sizeEnd);
    w.F32(kSizeVar, sizeVar);
    w.F32(kSpinStart, spinStart);
    w.F32(kSpinEnd, spinEnd);
    w.F32(kSpinVar, spinVar);
    const ColorF* colors[2] = {&colorStart, &colorEnd};
    const std::size_t offsets[2] = {kColorStart, kColorEnd};
    for (int c = 0; c < 2; ++c) {
        w.F32(offsets[c], colors[c]->r);
        w.F32(offsets[c] + 4, colors[c]->g);
        w.F32(offsets[c] + 8, colors[c]->b);
        w.F32(offsets[c] + 12, colors[c]->a);
    }
    w.F32(kColorVar, colorVar);
    w.F32(kAlphaVar, alphaVar);
}
