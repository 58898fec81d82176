// The game's time: the frame's time and the slowed delta every moving thing
// uses, slow motion easing back to normal, the element selection flags and
// the flash of the orb display.
#pragma once

#include "toolkit/Sprite.h"

#include <memory>

struct GameClock {
    // Samples the engine's time and delta; eases slow motion back.
    void Update();

    Sprite* cursor = nullptr; // owned by the resource manager
    Sprite* orb = nullptr;    // owned by the resource manager
    std::unique_ptr<Sprite> orbIcon;
    float lastElementKeyTime = 0;
    float time = 0;
    float delta = 0;
    bool fire = false;
    bool ice = false;
    bool earth = false;
    bool wind = false;
    bool it = false;
    int flashAlpha = 255;
    float lastFlashStep = 0;
    float slowMotionEnd = 0;
    float slowFactor = 1.0f;
    float nextSlowStep = 0;
    bool slowMotionActive = false;
};

GameClock& TheGameClock();
