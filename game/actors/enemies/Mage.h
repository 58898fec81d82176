// Walks the corners of a 600 x 600 square around the view's centre,
// clockwise, and at every corner throws three fireballs at the player.
#pragma once

#include "game/actors/enemies/Base_Enemy.h"

class Mage : public Base_Enemy {
public:
    Mage(float x, float y, EnemyGroup* group);
    void Update() override;
    bool IsFinished() override;

    float waypointX;
    float waypointY;
    float nextFireTime = 0;
    int cornerPhase = 1;
    bool arrived = false;
    CollisionBox waypointBox;
};
