// The character the user steers.
#pragma once

#include "toolkit/CollisionBox.h"

class Player : Pinned {
public:
    float x = 0;
    float y = 0;
    float facing = 0;
    float health = 1000.0f;
};

Player& ThePlayer();
