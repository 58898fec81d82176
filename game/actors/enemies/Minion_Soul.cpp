#include "game/actors/enemies/Minion_Soul.h"

#include "game/actors/EnemyGroup.h"
#include "game/actors/PowerUpList.h"
#include "game/actors/SpellManager.h"
#include "game/core/Game.h"
#include "game/core/GameClock.h"
#include "toolkit/ParticleSystem.h"

#include <cmath>

namespace {

ColorF Unpacked(std::uint32_t argb) {
    ColorF colour;
    colour.a = static_cast<float>(argb >> 24 & 0xFF) / 255.0f;
    colour.r = static_cast<float>(argb >> 16 & 0xFF) / 255.0f;
    colour.g = static_cast<float>(argb >> 8 & 0xFF) / 255.0f;
    colour.b = static_cast<float>(argb & 0xFF) / 255.0f;
    return colour;
}

std::uint32_t Channel(float value) {
    return static_cast<std::uint32_t>(std::lround(value * 255.0f)) & 0xFF;
}

} // namespace

void Minion_Soul::Tint(ParticleSystemInfo& info, int element) {
    struct Colours {
        std::uint32_t start, end;
        float variance;
    };
    static const Colours kColours[] = {{0xFFFF0A00, 0xFFFF781E, 0.75f},
                                       {0xFF0000FF, 0xFFC8C8FF, 0.7f},
                                       {0xFF00FF00, 0xFFC8FFC8, 0.7f},
                                       {0xFFFFFFFF, 0xFFFFFFFF, 0.0f}};
    if (element < 1 || element > 4) {
        return;
    }
    const Colours& c = kColours[element - 1];
    info.colorStart = Unpacked(c.start);
    info.colorEnd = Unpacked(c.end);
    info.colorVar = c.variance;
}

std::uint32_t Minion_Soul::Packed(const ColorF& colour) {
    return Channel(colour.a) << 24 | Channel(colour.r) << 16 | Channel(colour.g) << 8 |
           Channel(colour.b);
}

Minion_Soul::Minion_Soul(float x, float y, EnemyGroup* group)
    : Base_Enemy(x, y, group, kMinionSoul) {
    RandomElement();
    const float s = TheGame()->engine->Random_Float(0.5f, 1.5f);
    SetValues(s, 16 * s, (group ? group->speedFactor : 1.0f) * 140, 200 * s, 100 * s, 150 * s);
    Finish("basic_enemy", "fx/enemy.psi", &EnemyGroup::minions);
    if (m_particles) {
        ParticleSystemInfo& info = m_particles->GetInfo();
        info.sizeStart *= scale;
        info.sizeEnd *= scale;
        Tint(info, element);
    }
}

bool Minion_Soul::IsFinished() {
    const float now = TheGameClock().time;
    if (health > 0 && now <= spawnTime + 15) {
        return false;
    }
    if (health <= 0) {
        Game& game = *TheGame();
        game.score += 1000;
        SpellManager& spells = TheSpellManager();
        float* const orbs[] = {&spells.fire, &spells.ice, &spells.earth, &spells.wind};
        *orbs[element - 1] += 0.5f;
        PowerUpList& drops = ThePowerUpList();
        if (game.engine->Random_Int(1, 4) == 3) {
            drops.SpawnPowerUp(x, y, "orb_base", "powerup_" + elementName, 7.0f,
                               Packed(m_particles->GetInfo().colorStart));
        }
        if (game.engine->Random_Int(1, 6) == 3) {
            drops.SpawnPowerUp(x, y, "health", "powerup_health", 7.0f, 0xFFFFFFFF);
        }
    }
    return true;
}
