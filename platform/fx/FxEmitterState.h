// One live emitter: its clock, its modes and the particles of every
// particle type of every sub-emitter. Copying it gives an independent
// duplicate that shares the (read-only) definition.
#pragma once

#include "platform/fx/FxDefinition.h"
#include "platform/fx/FxRandom.h"

#include <vector>

struct FxParticleData {
    float x, y, vx, vy;
    float age, life, invLife;
    float scale, angle, spin, phase;
};

class FxTypeState {
public:
    explicit FxTypeState(FxTypeDef* def) : m_def(def) {
        m_particles.reserve(static_cast<std::size_t>(def->maxParticles));
    }

    FxTypeDef& Def() const { return *m_def; }
    std::vector<FxParticleData>& Particles() { return m_particles; }
    const std::vector<FxParticleData>& Particles() const { return m_particles; }

    void Lock() { m_cursor = 0; }
    bool Next(FxParticle& out);

    float remainder = 0; // fraction of a particle carried to the next step

private:
    FxTypeDef* m_def;
    std::vector<FxParticleData> m_particles;
    std::size_t m_cursor = 0;
};

struct FxSubState {
    const FxSubDef* def;
    std::vector<FxTypeState> types;
};

class FxEmitterState {
public:
    explicit FxEmitterState(FxEmitterDefPtr def);

    const FxEmitterDef& Def() const { return *m_def; }
    std::vector<FxSubState>& Subs() { return m_subs; }

    void Restart();
    void Stop();
    // False once the effect has ended (or when it is not running).
    bool Update(float timeStep);
    // Jumps to the start of the first interval, from the restore file when
    // it holds this emitter's state, else by simulating there (and then
    // writing the file when a name is given).
    bool ToInterval1(const std::string& restoreFile);
    bool InInterval() const;
    bool SubInInterval(std::size_t index) const;
    int ParticleCount() const;

    void SetPosition(float x, float y);
    float X() const { return m_x; }
    float Y() const { return m_y; }
    void SetDirection(float degrees);
    float Direction() const { return m_direction; }

    bool running = false;
    bool interrupted = false;
    int loop = 0;
    bool interpolate = false;
    bool positionMode = true;
    bool directionMode = true;
    float time = 0;

private:
    friend class FxRestoreFile;

    void Step(float dt);
    void Emit(FxSubState& sub, FxTypeState& type, float from, float to, float dt);
    void Spawn(const FxSubDef& sub, FxTypeState& type, float fraction, float dt);
    float SubEnd(const FxSubDef& sub) const;

    FxEmitterDefPtr m_def;
    std::vector<FxSubState> m_subs;
    FxRandom m_random;
    float m_x = 0, m_y = 0, m_prevX = 0, m_prevY = 0;
    float m_direction = 0;
};
