// The Mage's fireball: flies straight along its direction and hurts on
// contact; uncounted by its group.
#pragma once

#include "game/actors/enemies/Base_Enemy.h"

class Littles : public Base_Enemy {
public:
    Littles(float x, float y, EnemyGroup* group, float direction);
    void Update() override;
    bool IsFinished() override;

    float direction;
};
