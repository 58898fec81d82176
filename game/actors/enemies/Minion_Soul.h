// A small elemental spirit: chases the player, hurts on contact, and when
// killed pays score, half an orb of its element and maybe a drop.
#pragma once

#include "game/actors/enemies/Base_Enemy.h"
#include "toolkit/ParticleSystemInfo.h"

#include <cstdint>

class Minion_Soul : public Base_Enemy {
public:
    Minion_Soul(float x, float y, EnemyGroup* group);
    bool IsFinished() override;

    // The start, end and variance of its particle colour for an element.
    static void Tint(ParticleSystemInfo& info, int element);
    // The ARGB a colour stored as channel / 255 goes back to.
    static std::uint32_t Packed(const ColorF& colour);
};
