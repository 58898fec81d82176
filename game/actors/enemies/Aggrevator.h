// A fast spirit darting between random points of the visible screen; it
// hurts only when its path crosses the player.
#pragma once

#include "game/actors/enemies/Base_Enemy.h"

class Aggrevator : public Base_Enemy {
public:
    Aggrevator(float x, float y, EnemyGroup* group);
    void Update() override;
    bool IsFinished() override;

    // Score for a kill, the minute-long life (shared with the Mage).
    static bool FinishedAfterAMinute(Base_Enemy& enemy);

    float waypointX;
    float waypointY;
    CollisionBox waypointBox;
};
