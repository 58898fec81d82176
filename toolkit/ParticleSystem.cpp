#include "toolkit/ParticleSystem.h"

#include "toolkit/SinCos.h"
#include "toolkit/Sprite.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace {

constexpr float kPi = 3.14159265358979f;

// The bit-trick estimate with one Newton step. Its constant is what the
// particle files were tuned against, and v * 0.4999 is formed first so that
// a zero vector gives zero rather than an overflow times zero.
float FastInverseSqrt(float v) {
    std::int32_t i;
    std::memcpy(&i, &v, sizeof i);
    std::int32_t bits = 0x5F3759DF - (i >> 1);
    float y;
    std::memcpy(&y, &bits, sizeof y);
    float half = v * 0.4999000132083893f;
    return y * (1.5f - half * y * y);
}

// Colour bytes round half away from zero like roundf: for every value from
// 0 to 255, adding the float just below one half and cutting off the
// fraction gives the same (adding one half itself would round 0.49999997 up).
constexpr float kJustUnderHalf = 0x1.fffffep-2f;

// One channel as a byte; values outside 0-1 are held at the ends so they
// cannot spill into the neighbouring channel, and NaN counts as 0. The
// holding works on the float's bits, which order positive floats as their
// values; masks rather than branches, so the loop over a run of particles
// vectorises.
std::uint32_t ChannelByte(float value) {
    constexpr std::uint32_t kTop = 0x437F0000;      // 255.0f
    constexpr std::uint32_t kInfinity = 0x7F800000; // above: NaN, or the sign is set
    std::uint32_t bits = std::bit_cast<std::uint32_t>(value * 255.0f);
    bits &= 0u - static_cast<std::uint32_t>(bits <= kInfinity);
    bits = std::min(bits, kTop);
    return static_cast<std::uint32_t>(
        static_cast<std::int32_t>(std::bit_cast<float>(bits) + kJustUnderHalf));
}

// ChannelByte for a value known to lie from 0 to 1: the same byte, with
// nothing to hold.
std::uint32_t InRangeByte(float value) {
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(value * 255.0f + kJustUnderHalf));
}

// Vertices are written in two pieces: x and y, then depth, colour and the
// texture coordinates.
static_assert(sizeof(Vertex) == 24 && offsetof(Vertex, y) == 4 && offsetof(Vertex, z) == 8 &&
              offsetof(Vertex, col) == 12 && offsetof(Vertex, tx) == 16 &&
              offsetof(Vertex, ty) == 20);

// A vertex's depth and colour as the eight bytes they fill, in memory order.
std::uint64_t DepthAndColour(float z, std::uint32_t colour) {
    const std::uint64_t depth = std::bit_cast<std::uint32_t>(z);
    if constexpr (std::endian::native == std::endian::little) {
        return depth | std::uint64_t{colour} << 32;
    } else {
        return depth << 32 | colour;
    }
}

} // namespace

static_assert(sizeof(Particle) == sizeof(float) * 21, "a Particle is its 21 fields");

ParticleSystem::ParticleSystem(const char* file, Sprite* sprite)
    : m_engine(EngineCreate(ENGINE_VERSION)) {
    std::uint32_t size = 0;
    void* bytes = file ? m_engine->Resource_Load(file, &size) : nullptr;
    if (bytes) {
        // A short file leaves the zeroed settings: nothing is emitted.
        m_info.Read(bytes, size);
        m_engine->Resource_Free(bytes);
    }
    m_info.sprite = sprite;
}

ParticleSystem::ParticleSystem(const ParticleSystemInfo& info)
    : m_engine(EngineCreate(ENGINE_VERSION)), m_info(info) {}

ParticleSystem::~ParticleSystem() {
    m_engine->Release();
}

void ParticleSystem::Fire() {
    m_age = m_info.lifetime == -1.0f ? kEndless : 0.0f;
}

void ParticleSystem::Stop(bool killParticles) {
    m_age = kStopped;
    if (killParticles) {
        m_count = 0;
    }
}

void ParticleSystem::MoveTo(float x, float y, bool moveParticles) {
    if (moveParticles) {
        float dx = x - m_x;
        float dy = y - m_y;
        for (int i = 0; i < m_count; ++i) {
            Slot(kX, i) += dx;
            Slot(kY, i) += dy;
        }
        m_prevX += dx;
        m_prevY += dy;
    } else if (m_age == kStopped) {
        m_prevX = x;
        m_prevY = y;
    } else {
        // Running: the next update emits along the path just travelled.
        m_prevX = m_x;
        m_prevY = m_y;
    }
    m_x = x;
    m_y = y;
}

void ParticleSystem::FireAt(float x, float y) {
    Stop(false);
    MoveTo(x, y, false);
    Fire();
}

void ParticleSystem::Update(float dt) {
    if (m_age >= 0.0f) {
        m_age += dt;
        if (m_age >= m_info.lifetime) {
            m_age = kStopped;
        }
    }
    AgeAndMoveParticles(dt);
    if (m_age != kStopped) {
        Emit(dt);
    }
    m_prevX = m_x;
    m_prevY = m_y;
}

Particle ParticleSystem::GetParticle(int i) const {
    float values[kFieldCount] = {};
    if (i >= 0 && i < m_used) {
        for (int f = 0; f < kFieldCount; ++f) {
            values[f] = m_blocks[i / kLanes].f[f][i % kLanes];
        }
    }
    Particle p;
    std::memcpy(&p, values, sizeof p);
    return p;
}

void ParticleSystem::CopySlot(int from, int to) {
    const Block& source = m_blocks[from / kLanes];
    Block& target = m_blocks[to / kLanes];
    for (int f = 0; f < kFieldCount; ++f) {
        target.f[f][to % kLanes] = source.f[f][from % kLanes];
    }
}

void ParticleSystem::AgeSlots(int first, float dt) {
    int i = first;
    while (i < std::min(first + kLanes, m_count)) {
        const float age = Slot(kAge, i) + dt;
        if (age >= Slot(kLife, i)) {
            // The last particle takes this slot and is aged next.
            CopySlot(m_count - 1, i);
            --m_count;
            continue;
        }
        Slot(kAge, i) = age;
        ++i;
    }
}

void ParticleSystem::AgeAndMoveParticles(float dt) {
    // Each particle is aged, and dies or moves, one slot after the other;
    // a dying one takes the last particle into its slot, and that one has not
    // been aged or moved yet. Moving depends on nothing but the particle
    // itself, so a whole block in which nobody dies ages and moves in one
    // vectorised go, with the same results.
    const float cx = m_x, cy = m_y;
    auto move = [cx, cy, dt](float(&f)[kFieldCount][kLanes], auto lanes) {
        for (int l = 0; l < lanes; ++l) {
            float rx = f[kX][l] - cx;
            float ry = f[kY][l] - cy;
            const float inv = FastInverseSqrt(rx * rx + ry * ry);
            rx *= inv;
            ry *= inv;
            const float ax = rx * f[kRadialAccel][l] - ry * f[kTangentialAccel][l];
            const float ay = ry * f[kRadialAccel][l] + rx * f[kTangentialAccel][l];
            const float vx = f[kVx][l] + ax * dt;
            float vy = f[kVy][l] + ay * dt;
            vy += f[kGravity][l] * dt;
            f[kVx][l] = vx;
            f[kVy][l] = vy;
            f[kX][l] += vx * dt;
            f[kY][l] += vy * dt;
        }
        // Spin, size and the colour channels change at their own steady rates.
        for (int l = 0; l < lanes; ++l) {
            f[kSpin][l] += f[kSpinDelta][l] * dt;
        }
        for (int l = 0; l < lanes; ++l) {
            f[kSize][l] += f[kSizeDelta][l] * dt;
        }
        for (int c = 0; c < 4; ++c) {
            for (int l = 0; l < lanes; ++l) {
                f[kRed + c][l] += f[kRedDelta + c][l] * dt;
            }
        }
    };
    for (int first = 0; first < m_count; first += kLanes) {
        float(&f)[kFieldCount][kLanes] = m_blocks[first / kLanes].f;
        if (m_count - first >= kLanes) {
            int dying = 0;
            for (int l = 0; l < kLanes; ++l) {
                dying |= f[kAge][l] + dt >= f[kLife][l] ? 1 : 0;
            }
            if (dying == 0) {
                for (int l = 0; l < kLanes; ++l) {
                    f[kAge][l] += dt;
                }
                move(f, std::integral_constant<int, kLanes>{}); // unrolled: no loop tests
                continue;
            }
        }
        AgeSlots(first, dt);
        const int lanes = std::min(kLanes, m_count - first);
        if (lanes == kLanes) {
            move(f, std::integral_constant<int, kLanes>{});
        } else if (lanes > 0) {
            move(f, lanes);
        }
    }
}

void ParticleSystem::Emit(float dt) {
    float needed = dt * static_cast<float>(m_info.emission) + m_remainder;
    float rounded = std::round(needed);
    // The remainder carries the rounding over, so it may go negative.
    m_remainder = needed - rounded;
    if (!(rounded >= 1.0f)) {
        return;
    }
    // Never more than the free slots, whatever the file asks for.
    int wanted =
        rounded < static_cast<float>(kMaxParticles) ? static_cast<int>(rounded) : kMaxParticles;
    for (int k = 0; k < wanted && m_count < kMaxParticles; ++k) {
        Spawn();
    }
}

void ParticleSystem::Spawn() {
    const ParticleSystemInfo& s = m_info;
    Particle p;
    p.age = 0.0f;
    p.life = m_engine->Random_Float(s.particleLifeMin, s.particleLifeMax);

    float along = m_engine->Random_Float(0.0f, 1.0f);
    p.x = m_prevX + (m_x - m_prevX) * along;
    p.y = m_prevY + (m_y - m_prevY) * along;
    p.x += m_engine->Random_Float(-2.0f, 2.0f);
    p.y += m_engine->Random_Float(-2.0f, 2.0f);

    float angle = s.direction - kPi / 2 + m_engine->Random_Float(0.0f, s.spread) - s.spread / 2;
    if (s.relative) {
        angle += std::atan2(m_prevY - m_y, m_prevX - m_x) + kPi / 2;
    }
    float speed = m_engine->Random_Float(s.speedMin, s.speedMax);
    p.vx = std::cos(angle) * speed;
    p.vy = std::sin(angle) * speed;

    p.gravity = m_engine->Random_Float(s.gravityMin, s.gravityMax);
    p.radialAccel = m_engine->Random_Float(s.radialAccelMin, s.radialAccelMax);
    p.tangentialAccel = m_engine->Random_Float(s.tangentialAccelMin, s.tangentialAccelMax);

    p.size =
        m_engine->Random_Float(s.sizeStart, s.sizeStart + (s.sizeEnd - s.sizeStart) * s.sizeVar);
    p.sizeDelta = (s.sizeEnd - p.size) / p.life;
    p.spin =
        m_engine->Random_Float(s.spinStart, s.spinStart + (s.spinEnd - s.spinStart) * s.spinVar);
    p.spinDelta = (s.spinEnd - p.spin) / p.life;

    auto channel = [&](float start, float end, float variation, float& value, float& delta) {
        value = m_engine->Random_Float(start, start + (end - start) * variation);
        delta = (end - value) / p.life;
    };
    channel(s.colorStart.r, s.colorEnd.r, s.colorVar, p.color.r, p.colorDelta.r);
    channel(s.colorStart.g, s.colorEnd.g, s.colorVar, p.color.g, p.colorDelta.g);
    channel(s.colorStart.b, s.colorEnd.b, s.colorVar, p.color.b, p.colorDelta.b);
    channel(s.colorStart.a, s.colorEnd.a, s.alphaVar, p.color.a, p.colorDelta.a);

    float values[kFieldCount];
    std::memcpy(values, &p, sizeof values);
    Block& block = m_blocks[m_count / kLanes];
    for (int f = 0; f < kFieldCount; ++f) {
        block.f[f][m_count % kLanes] = values[f];
    }
    ++m_count;
    m_used = std::max(m_used, m_count);
}

void ParticleSystem::Render() {
    Sprite* sprite = m_info.sprite;
    if (sprite == nullptr) {
        return;
    }
    // Every particle is the sprite drawn with RenderEx in its own colour;
    // the quads are written straight into the drawing batch, each a copy of
    // the sprite's quad with the particle's corners and colour. Rotations
    // and colours are worked out a run at a time, in loops that vectorise.
    // Copies, so that writing the batch cannot be taken to change them.
    const Quad look = sprite->GetQuad();
    const Sprite::Extent extent = sprite->GetExtent();
    const float offsetX = m_offsetX, offsetY = m_offsetY;
    const std::uint32_t saved = look.v[0].col;
    // A negative start red keeps the sprite's own colour: a mask, so the
    // colour loop needs no branch.
    const std::uint32_t keepMask = m_info.colorStart.r < 0.0f ? 0xFFFFFFFFu : 0u;
    const std::uint32_t savedRgb = saved & 0x00FFFFFF;
    // Per corner, the eight bytes of texture coordinates and the depth,
    // the same for every particle.
    std::uint64_t texture[4];
    float depth[4];
    for (int c = 0; c < 4; ++c) {
        std::memcpy(&texture[c], &look.v[c].tx, sizeof texture[c]);
        depth[c] = look.v[c].z;
    }
    // A run of four blocks at a time, so that the sines and cosines are
    // worked out for 64 angles in one call.
    constexpr int kRun = 4 * kLanes;
    float angles[kRun], sines[kRun], cosines[kRun];
    std::uint32_t colours[kRun];
    // Corner c of particle k of the run as an x, y pair, as a vertex starts.
    float corners[4][kRun][2];
    Vertex* out = nullptr;
    int room = 0, used = 0;
    std::uint32_t turned = 0; // the bits of every angle of the run, or-ed
    // Lane by lane for one block, from lane 0 up to `lanes`, which is a
    // constant for whole blocks so that their loops unroll.
    auto shade = [&](const float(&f)[kFieldCount][kLanes], int o, auto lanes) {
        int outside = 0;
        for (int l = 0; l < lanes; ++l) {
            angles[o + l] = f[kAge][l] * f[kSpin][l];
            turned |= std::bit_cast<std::uint32_t>(angles[o + l]);
            for (int c = kRed; c <= kAlpha; ++c) {
                outside |= (f[c][l] >= 0.0f) & (f[c][l] <= 1.0f) ? 0 : 1;
            }
        }
        auto pack = [&](auto byte) {
            for (int l = 0; l < lanes; ++l) {
                const std::uint32_t rgb =
                    byte(f[kRed][l]) << 16 | byte(f[kGreen][l]) << 8 | byte(f[kBlue][l]);
                colours[o + l] =
                    byte(f[kAlpha][l]) << 24 | (savedRgb & keepMask) | (rgb & ~keepMask);
            }
        };
        // Every channel from 0 to 1, as nearly always: holding them there
        // would change nothing.
        if (outside == 0) {
            pack([](float v) { return InRangeByte(v); });
        } else {
            pack([](float v) { return ChannelByte(v); });
        }
    };
    auto place = [&](const float(&f)[kFieldCount][kLanes], int o, auto lanes) {
        for (int l = 0; l < lanes; ++l) {
            Sprite::PlaceEx(&corners[0][o + l][0], &corners[0][o + l][1], 2 * kRun, extent,
                            offsetX + f[kX][l], offsetY + f[kY][l], cosines[o + l], sines[o + l],
                            f[kSize][l], f[kSize][l]);
        }
    };
    auto eachBlock = [this](int first, int n, auto&& work) {
        for (int o = 0; o < n; o += kLanes) {
            const float(&f)[kFieldCount][kLanes] = m_blocks[(first + o) / kLanes].f;
            if (n - o >= kLanes) {
                work(f, o, std::integral_constant<int, kLanes>{});
            } else {
                work(f, o, n - o);
            }
        }
    };
    for (int first = 0; first < m_count; first += kRun) {
        const int n = std::min(kRun, m_count - first);
        turned = 0;
        eachBlock(first, n, shade);
        if (turned != 0) {
            SinCos(angles, sines, cosines, n);
        } else {
            // Most particle files do not spin: every angle is +0, whose sine
            // and cosine are exactly 0 and 1.
            std::fill_n(sines, n, 0.0f);
            std::fill_n(cosines, n, 1.0f);
        }
        eachBlock(first, n, place);
        int lane = 0;
        while (lane < n) {
            if (used == room) {
                if (out != nullptr) {
                    m_engine->Gfx_FinishQuads(used);
                }
                out = m_engine->Gfx_StartQuads(look.tex, look.blend, m_count - first - lane, &room);
                used = 0;
                if (out == nullptr) {
                    sprite->SetColor(saved);
                    return;
                }
            }
            // Whole vertices into the batch, x and y, then depth, colour and
            // texture coordinates in one piece: nothing is read back from it.
            const int end = lane + std::min(room - used, n - lane);
            auto* bytes = reinterpret_cast<unsigned char*>(out + 4 * used);
            for (int l = lane; l < end; ++l) {
                for (int c = 0; c < 4; ++c) {
                    unsigned char* vertex = bytes + sizeof(Vertex) * (4 * (l - lane) + c);
                    const std::uint64_t tail[2] = {DepthAndColour(depth[c], colours[l]),
                                                   texture[c]};
                    std::memcpy(vertex + offsetof(Vertex, x), corners[c][l], 8);
                    std::memcpy(vertex + offsetof(Vertex, z), tail, 16);
                }
            }
            used += end - lane;
            lane = end;
        }
    }
    if (out != nullptr) {
        m_engine->Gfx_FinishQuads(used);
    }
    // As drawing with the sprite itself would leave it.
    sprite->SetColor(saved);
}

void ParticleSystem::SetRenderOffset(float x, float y) {
    m_offsetX = x;
    m_offsetY = y;
}

void ParticleSystem::GetRenderOffset(float* x, float* y) const {
    *x = m_offsetX;
    *y = m_offsetY;
}

void ParticleSystem::GetPosition(float* x, float* y) const {
    *x = m_x;
    *y = m_y;
}
