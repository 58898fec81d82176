#include "game/actors/SpellInstance.h"

#include "game/actors/SpellContent.h"
#include "game/core/Game.h"
#include "game/core/GameClock.h"
#include "toolkit/fx/FX_Emitter.h"
#include "toolkit/ParticleSystem.h"

#include <cmath>

namespace {

constexpr float kDegreesPerRadian = 57.2957763671875f;

} // namespace

SpellInstance::SpellInstance(const SpellDefinition& definition, float x, float y, float angle,
                             SpellContent& content)
    : m_spawnTime(TheGameClock().time), m_x(x), m_y(y), m_angle(angle),
      m_box(std::make_unique<CollisionBox>(&m_x, &m_y, definition.width, definition.height,
                                           -definition.width / 2, -definition.height / 2)),
      m_definition(&definition) {
    if (IsProjectile()) {
        m_trail = content.Trail(definition.spriteName, definition.number, x, y);
    } else if (definition.special) {
        m_emitter = content.AreaEmitter(definition.spriteName, x, y);
    }
}

SpellInstance::~SpellInstance() = default;

bool SpellInstance::Advance() {
    const Game* game = TheGame();
    if (game && game->pauseDuration != 0) {
        m_spawnTime += game->pauseDuration;
    }
    const GameClock& clock = TheGameClock();
    if (clock.time >= m_spawnTime + m_definition->duration) {
        return true;
    }
    const float a = m_angle / kDegreesPerRadian;
    const float dt = clock.delta;
    m_x += dt * m_definition->speed * std::cos(a);
    m_y += dt * m_definition->speed * std::sin(a);
    if (m_trail) {
        // The live particles stay put, so they draw the path behind.
        m_trail->MoveTo(m_x, m_y, false);
        m_trail->Update(dt);
    }
    if (m_emitter) {
        if (m_definition->speed != 0) {
            m_emitter->Move(m_x, m_y, 0);
        }
        m_emitter->Update(Fx_GetUpdateTime(m_emitter->GetHandle()));
        return m_emitter->GetState() == FX_Emitter::kStopped;
    }
    return false;
}

void SpellInstance::Render() {
    if (m_trail) {
        m_trail->Render();
    } else if (m_emitter) {
        m_emitter->Draw();
    }
}
