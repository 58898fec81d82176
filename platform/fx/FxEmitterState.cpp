#include "platform/fx/FxEmitterState.h"

#include "platform/fx/FxRestoreFile.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr float kDegrees = 57.2957763671875f;
// Longer steps are cut up so a stalled frame cannot fling particles away.
constexpr float kLongestStep = 0.1f;

} // namespace

bool FxTypeState::Next(FxParticle& out) {
    if (m_cursor >= m_particles.size()) {
        return false;
    }
    const FxParticleData& p = m_particles[m_cursor++];
    const FxTypeDef& def = *m_def;
    float t = p.age * p.invLife;
    float size = def.size.Life(t) * p.scale;
    out.x = p.x;
    out.y = p.y;
    out.width = size;
    out.height = size * def.aspect;
    out.angle = p.angle;
    out.color = def.colors.Life(t);
    int frames = static_cast<int>(def.textures.size());
    int frame = 0;
    if (frames > 1) {
        switch (def.animation) {
        case FxAnimation::Loop:
            frame = static_cast<int>(p.age * def.fps) % frames;
            break;
        case FxAnimation::Life:
            frame = std::min(frames - 1, static_cast<int>(t * static_cast<float>(frames)));
            break;
        case FxAnimation::Random:
            frame = std::min(frames - 1, static_cast<int>(p.phase * static_cast<float>(frames)));
            break;
        }
    }
    out.frame = frame;
    return true;
}

FxEmitterState::FxEmitterState(FxEmitterDefPtr def) : m_def(std::move(def)), m_random(m_def->seed) {
    loop = m_def->loop;
    interpolate = m_def->interpolate;
    for (FxSubDef& sub : m_def->subs) {
        FxSubState state{&sub, {}};
        for (FxTypeDef& type : sub.types) {
            state.types.emplace_back(&type);
        }
        m_subs.push_back(std::move(state));
    }
}

void FxEmitterState::Restart() {
    for (FxSubState& sub : m_subs) {
        for (FxTypeState& type : sub.types) {
            type.Particles().clear();
            type.remainder = 0;
        }
    }
    time = 0;
    m_random.Seed(m_def->seed);
    m_prevX = m_x;
    m_prevY = m_y;
    running = true;
    interrupted = false;
}

void FxEmitterState::Stop() {
    for (FxSubState& sub : m_subs) {
        for (FxTypeState& type : sub.types) {
            type.Particles().clear();
        }
    }
    running = false;
}

bool FxEmitterState::Update(float timeStep) {
    if (!running) {
        return false;
    }
    if (timeStep > 0 && std::isfinite(timeStep)) {
        float left = std::min(timeStep, 10.0f);
        while (left > kLongestStep) {
            Step(kLongestStep);
            left -= kLongestStep;
        }
        Step(left);
    }
    bool timeUp = loop == 0 && m_def->length >= 0 && time >= m_def->length;
    if ((timeUp || interrupted) && ParticleCount() == 0) {
        running = false;
    }
    return running;
}

float FxEmitterState::SubEnd(const FxSubDef& sub) const {
    if (sub.end >= 0) {
        return sub.end;
    }
    return m_def->length >= 0 ? m_def->length : std::numeric_limits<float>::infinity();
}

void FxEmitterState::Step(float dt) {
    float from = time;
    float to = time + dt;
    for (FxSubState& sub : m_subs) {
        for (FxTypeState& type : sub.types) {
            const FxTypeDef& def = type.Def();
            std::vector<FxParticleData>& particles = type.Particles();
            float drag = std::max(0.0f, 1.0f - def.drag * dt);
            for (std::size_t i = 0; i < particles.size();) {
                FxParticleData& p = particles[i];
                p.age += dt;
                if (p.age >= p.life) {
                    // Order does not matter to drawing; removal is a swap.
                    p = particles.back();
                    particles.pop_back();
                    continue;
                }
                if (def.jitter > 0) {
                    p.vx += m_random.Range(-def.jitter, def.jitter) * dt;
                    p.vy += m_random.Range(-def.jitter, def.jitter) * dt;
                }
                p.vx = (p.vx + def.gravityX * dt) * drag;
                p.vy = (p.vy + def.gravityY * dt) * drag;
                p.x += p.vx * dt;
                p.y += p.vy * dt;
                p.angle += p.spin * dt;
                ++i;
            }
            if (!interrupted) {
                Emit(sub, type, from, to, dt);
            }
        }
    }
    time = to;
    float loopStart = m_def->hasInterval1 ? m_def->interval1Start : 0.0f;
    float loopEnd =
        m_def->hasInterval1 && m_def->interval1End >= 0 ? m_def->interval1End : m_def->length;
    if (loop != 0 && loopEnd > loopStart && time >= loopEnd) {
        time = loopStart + std::fmod(time - loopEnd, loopEnd - loopStart);
        // The step's overshoot is the new round's start: its bursts fire again.
        if (!interrupted) {
            for (FxSubState& sub : m_subs) {
                for (FxTypeState& type : sub.types) {
                    Emit(sub, type, loopStart, time + 1e-6f, dt);
                }
            }
        }
    }
    m_prevX = m_x;
    m_prevY = m_y;
}

void FxEmitterState::Emit(FxSubState& sub, FxTypeState& type, float from, float to, float dt) {
    const FxSubDef& subDef = *sub.def;
    float start = std::max(from, subDef.start);
    float end = std::min(to, SubEnd(subDef));
    if (end <= start) {
        return;
    }
    const FxTypeDef& def = type.Def();
    float a = start - subDef.start;
    float b = end - subDef.start;
    float wanted = def.emission.Sample((a + b) * 0.5f) * (b - a) + type.remainder;
    float whole = std::floor(wanted);
    type.remainder = wanted - whole;
    long count = std::max(0L, static_cast<long>(whole));
    for (const FxBurst& burst : def.bursts) {
        if (burst.time >= a && burst.time < b) {
            count += burst.count;
        }
    }
    long room = def.maxParticles - static_cast<long>(type.Particles().size());
    count = std::min(count, room);
    for (long i = 0; i < count; ++i) {
        Spawn(subDef, type, (static_cast<float>(i) + 0.5f) / static_cast<float>(count), dt);
    }
}

void FxEmitterState::Spawn(const FxSubDef& sub, FxTypeState& type, float fraction, float dt) {
    const FxTypeDef& def = type.Def();
    float ox = 0, oy = 0;
    switch (def.shape) {
    case FxShape::Point:
        break;
    case FxShape::Circle:
    case FxShape::Ring: {
        float a = m_random.Range(0, 360) / kDegrees;
        float r = def.shape == FxShape::Ring ? def.radius : def.radius * std::sqrt(m_random.Unit());
        ox = std::cos(a) * r;
        oy = std::sin(a) * r;
        break;
    }
    case FxShape::Box:
        ox = (m_random.Unit() - 0.5f) * def.boxWidth;
        oy = (m_random.Unit() - 0.5f) * def.boxHeight;
        break;
    case FxShape::Line:
        ox = (m_random.Unit() - 0.5f) * def.boxWidth;
        break;
    }
    float angle = def.direction + m_direction + m_random.Range(-0.5f, 0.5f) * def.spread;
    if (def.outward && (ox != 0 || oy != 0)) {
        angle += std::atan2(oy, ox) * kDegrees;
    }
    // The authored layout turns with the emitter's direction.
    float c = std::cos(m_direction / kDegrees);
    float s = std::sin(m_direction / kDegrees);
    float lx = sub.x + ox;
    float ly = sub.y + oy;
    float baseX = interpolate ? m_prevX + (m_x - m_prevX) * fraction : m_x;
    float baseY = interpolate ? m_prevY + (m_y - m_prevY) * fraction : m_y;
    float speed = m_random.Range(def.speedMin, def.speedMax);
    FxParticleData p{};
    p.x = baseX + lx * c - ly * s;
    p.y = baseY + lx * s + ly * c;
    p.vx = std::cos(angle / kDegrees) * speed;
    p.vy = std::sin(angle / kDegrees) * speed;
    p.life = m_random.Range(def.lifeMin, def.lifeMax);
    p.invLife = 1.0f / p.life;
    p.scale = 1.0f - def.sizeVariation * m_random.Unit();
    p.angle = def.randomRotation ? m_random.Range(0, 360) : 0.0f;
    if (def.align) {
        p.angle += angle;
    }
    p.spin = m_random.Range(def.spinMin, def.spinMax);
    p.phase = m_random.Unit();
    if (interpolate) {
        // Born part-way through the step: age and move it by the rest.
        float late = (1.0f - fraction) * dt;
        p.age = late;
        p.x += p.vx * late;
        p.y += p.vy * late;
    }
    type.Particles().push_back(p);
}

bool FxEmitterState::ToInterval1(const std::string& restoreFile) {
    if (!restoreFile.empty() && FxRestoreFile::Load(*this, restoreFile)) {
        return true;
    }
    Restart();
    if (m_def->hasInterval1) {
        int steps = static_cast<int>(std::lround(m_def->interval1Start / m_def->updateTime));
        bool keepLoop = loop != 0;
        loop = 0; // the pre-roll runs straight to the interval
        for (int i = 0; i < steps; ++i) {
            Step(m_def->updateTime);
        }
        time = m_def->interval1Start; // not a step's rounding short of it
        loop = keepLoop ? 1 : 0;
    }
    if (!restoreFile.empty()) {
        return FxRestoreFile::Save(*this, restoreFile);
    }
    return true;
}

bool FxEmitterState::InInterval() const {
    if (!running) {
        return false;
    }
    if (!m_def->hasInterval1) {
        return true;
    }
    return time >= m_def->interval1Start &&
           (m_def->interval1End < 0 || time <= m_def->interval1End);
}

bool FxEmitterState::SubInInterval(std::size_t index) const {
    if (!running || index >= m_subs.size()) {
        return false;
    }
    const FxSubState& sub = m_subs[index];
    if (time < sub.def->start) {
        return false;
    }
    if (time < SubEnd(*sub.def)) {
        return true;
    }
    for (const FxTypeState& type : sub.types) {
        if (!type.Particles().empty()) {
            return true; // still fading out
        }
    }
    return false;
}

int FxEmitterState::ParticleCount() const {
    std::size_t count = 0;
    for (const FxSubState& sub : m_subs) {
        for (const FxTypeState& type : sub.types) {
            count += type.Particles().size();
        }
    }
    return static_cast<int>(count);
}

void FxEmitterState::SetPosition(float x, float y) {
    if (!running) {
        m_prevX = x;
        m_prevY = y;
    }
    m_x = x;
    m_y = y;
}

void FxEmitterState::SetDirection(float degrees) {
    if (std::isfinite(degrees)) {
        m_direction = degrees;
    }
}
