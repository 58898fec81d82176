#include "toolkit/ParticleSystem.h"

#include "toolkit/Sprite.h"

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
// cannot spill into the neighbouring channel. Rounds half away from zero like
// roundf, without a library call per channel (this runs for every particle).
std::uint32_t ChannelByte(float value) {
    float scaled = value * 255.0f;
    if (!(scaled > 0.0f)) {
        return 0;
    }
    if (scaled >= 254.5f) {
        return 255;
    }
    return static_cast<std::uint32_t>(static_cast<double>(scaled) + 0.5);
}

} // namespace

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
            m_particles[i].x += dx;
            m_particles[i].y += dy;
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
        Particle& p = m_particles[i];
        p.age += dt;
        if (p.age >= p.life) {
            // The last particle takes this slot and is processed next.
            p = m_particles[m_count - 1];
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
    Particle& p = m_particles[m_count++];
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
    std::uint32_t saved = sprite->GetColor(0);
    bool keepSpriteColour = m_info.colorStart.r < 0.0f;
    for (int i = 0; i < m_count; ++i) {
        const Particle& p = m_particles[i];
        std::uint32_t alpha = ChannelByte(p.color.a) << 24;
        std::uint32_t colour = keepSpriteColour
                                   ? alpha | (saved & 0x00FFFFFF)
                                   : alpha | ChannelByte(p.color.r) << 16 |
                                         ChannelByte(p.color.g) << 8 | ChannelByte(p.color.b);
        sprite->SetColor(colour);
        sprite->RenderEx(m_offsetX + p.x, m_offsetY + p.y, p.age * p.spin, p.size);
    }
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
