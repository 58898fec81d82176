// Up to 500 sprite particles emitted from a point, moved by velocity,
// gravity, radial and tangential acceleration, with size, spin and colour
// changing linearly over each particle's life.
#pragma once

#include "platform/engine/Engine.h"
#include "toolkit/ParticleSystemInfo.h"

class Sprite;

struct Particle {
    float x, y;
    float vx, vy;
    float gravity;
    float radialAccel;
    float tangentialAccel;
    float spin, spinDelta;
    float size, sizeDelta;
    ColorF color, colorDelta;
    float age, life;
};

class ParticleSystem {
public:
    static constexpr int kMaxParticles = 500;
    static constexpr float kStopped = -2.0f;
    static constexpr float kEndless = -1.0f;

    // Settings from the first 128 bytes of a ".psi" file; a file that is
    // missing or short gives a system that never emits or draws anything.
    ParticleSystem(const char* file, Sprite* sprite);
    // Settings copied from another system (its sprite included).
    explicit ParticleSystem(const ParticleSystemInfo& info);
    ~ParticleSystem();
    ParticleSystem(const ParticleSystem&) = delete;
    ParticleSystem& operator=(const ParticleSystem&) = delete;

    void Fire();
    void Stop(bool killParticles = false);
    void MoveTo(float x, float y, bool moveParticles = false);
    void FireAt(float x, float y);
    void Update(float dt);
    void Render();

    void SetRenderOffset(float x, float y);
    void GetRenderOffset(float* x, float* y) const;
    void GetPosition(float* x, float* y) const;
    int GetParticlesAlive() const { return m_count; }
    // Slots never used read as cleared, as at construction.
    Particle GetParticle(int i) const;
    float GetAge() const { return m_age; }
    float GetEmissionRemainder() const { return m_remainder; }
    // Callers tune the settings of a running system (enemies shrink theirs).
    ParticleSystemInfo& GetInfo() { return m_info; }
    const ParticleSystemInfo& GetInfo() const { return m_info; }

private:
    // A particle's fields, in the order of Particle's members.
    enum Field {
        kX,
        kY,
        kVx,
        kVy,
        kGravity,
        kRadialAccel,
        kTangentialAccel,
        kSpin,
        kSpinDelta,
        kSize,
        kSizeDelta,
        kRed,
        kGreen,
        kBlue,
        kAlpha,
        kRedDelta,
        kGreenDelta,
        kBlueDelta,
        kAlphaDelta,
        kAge,
        kLife,
        kFieldCount
    };
    // Particles live in blocks of 16, each field of a block an array of its
    // own: the loops over a block vectorise, and a system with few particles
    // touches only its first blocks (fresh memory costs a page fault per
    // page touched, and systems are made for every projectile).
    static constexpr int kLanes = 16;
    static constexpr int kBlocks = (kMaxParticles + kLanes - 1) / kLanes;
    struct Block {
        float f[kFieldCount][kLanes];
    };

    // Slot i of the system; i is never negative.
    float& Slot(Field field, int i) {
        const auto u = static_cast<unsigned>(i);
        return m_blocks[u / kLanes].f[field][u % kLanes];
    }
    // Ages the particles of the block starting at slot `first` one at a
    // time, removing those whose life is over.
    void AgeSlots(int first, float dt);
    void AgeAndMoveParticles(float dt);
    void Emit(float dt);
    void Spawn();
    void CopySlot(int from, int to);

    Engine* m_engine = nullptr;
    ParticleSystemInfo m_info;
    float m_age = kStopped;
    float m_remainder = 0.0f;
    float m_prevX = 0.0f, m_prevY = 0.0f;
    float m_x = 0.0f, m_y = 0.0f;
    float m_offsetX = 0.0f, m_offsetY = 0.0f;
    int m_count = 0;
    // Slots at and above this have never held a particle. They are left
    // unwritten: systems are made for every projectile, and clearing all 500
    // slots each time cost more than the projectile's whole flight.
    int m_used = 0;
    Block m_blocks[kBlocks];
};
