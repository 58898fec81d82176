#include "toolkit/ParticleSystem.h"

#include "toolkit/SinCos.h"
#include "toolkit/Sprite.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

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

// One channel as a byte; values outside 0-1 are held at the ends so they
// cannot spill into the neighbouring channel, and NaN counts as 0. Rounds
// half away from zero like roundf (the sum is formed in double, so it is
// exact). The holding works on the float's bits, which order positive
// floats as their values; masks rather than branches, so the loop over a
// run of particles vectorises.
std::uint32_t ChannelByte(float value) {
    constexpr std::uint32_t kTop = 0x437F0000;      // 255.0f
    constexpr std::uint32_t kInfinity = 0x7F800000; // above: NaN, or the sign is set
    std::uint32_t bits = std::bit_cast<std::uint32_t>(value * 255.0f);
    bits &= 0u - static_cast<std::uint32_t>(bits <= kInfinity);
    bits = std::min(bits, kTop);
    const double held = std::bit_cast<float>(bits);
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(held + 0.5));
}

} // namespace

const Particle ParticleSystem::kCleared{};

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
            m_slots.at[i].x += dx;
            m_slots.at[i].y += dy;
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
    MoveParticles(dt);
    if (m_age != kStopped) {
        Emit(dt);
    }
    m_prevX = m_x;
    m_prevY = m_y;
}

void ParticleSystem::MoveParticles(float dt) {
    int i = 0;
    while (i < m_count) {
        Particle& p = m_slots.at[i];
        p.age += dt;
        if (p.age >= p.life) {
            // The last particle takes this slot and is processed next.
            p = m_slots.at[m_count - 1];
            --m_count;
            continue;
        }
        float rx = p.x - m_x;
        float ry = p.y - m_y;
        float inv = FastInverseSqrt(rx * rx + ry * ry);
        rx *= inv;
        ry *= inv;
        float ax = rx * p.radialAccel - ry * p.tangentialAccel;
        float ay = ry * p.radialAccel + rx * p.tangentialAccel;
        p.vx += ax * dt;
        p.vy += ay * dt;
        p.vy += p.gravity * dt;
        p.x += p.vx * dt;
        p.y += p.vy * dt;
        p.spin += p.spinDelta * dt;
        p.size += p.sizeDelta * dt;
        p.color.r += p.colorDelta.r * dt;
        p.color.g += p.colorDelta.g * dt;
        p.color.b += p.colorDelta.b * dt;
        p.color.a += p.colorDelta.a * dt;
        ++i;
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
    Particle& p = m_slots.at[m_count++];
    m_used = std::max(m_used, m_count);
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
    constexpr int kRun = 64;
    float angles[kRun], sines[kRun], cosines[kRun], xs[kRun], ys[kRun], sizes[kRun];
    float channels[kRun * 4];
    std::uint32_t bytes[kRun * 4], colours[kRun];
    float cornerX[4][kRun], cornerY[4][kRun];
    int done = 0;
    while (done < m_count) {
        int room = 0;
        Vertex* out =
            m_engine->Gfx_StartQuads(look.tex, look.blend, std::min(kRun, m_count - done), &room);
        if (out == nullptr) {
            break;
        }
        const Particle* run = m_slots.at + done;
        for (int k = 0; k < room; ++k) {
            angles[k] = run[k].age * run[k].spin;
            xs[k] = offsetX + run[k].x;
            ys[k] = offsetY + run[k].y;
            sizes[k] = run[k].size;
            std::memcpy(&channels[4 * k], &run[k].color, sizeof(ColorF));
        }
        SinCos(angles, sines, cosines, room);
        for (int i = 0; i < 4 * room; ++i) {
            bytes[i] = ChannelByte(channels[i]);
        }
        for (int k = 0; k < room; ++k) {
            const std::uint32_t* b = &bytes[4 * k]; // red, green, blue, alpha
            const std::uint32_t rgb = b[0] << 16 | b[1] << 8 | b[2];
            colours[k] = b[3] << 24 | (savedRgb & keepMask) | (rgb & ~keepMask);
            Sprite::PlaceEx(&cornerX[0][k], &cornerY[0][k], kRun, extent, xs[k], ys[k], cosines[k],
                            sines[k], sizes[k], sizes[k]);
        }
        // Whole vertices into the batch: nothing is read back from it.
        for (int k = 0; k < room; ++k) {
            Vertex* quad = out + 4 * k;
            for (int c = 0; c < 4; ++c) {
                quad[c] = Vertex{cornerX[c][k], cornerY[c][k], look.v[c].z,
                                 colours[k],    look.v[c].tx,  look.v[c].ty};
            }
        }
        m_engine->Gfx_FinishQuads(room);
        done += room;
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
