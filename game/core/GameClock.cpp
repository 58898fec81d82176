#include "game/core/GameClock.h"

#include "platform/engine/Engine.h"
#include "platform/registry/Registry.h"

GameClock& TheGameClock() {
    return Registry::Current().Get<GameClock>();
}

void GameClock::Update() {
    Engine* engine = EngineCreate(ENGINE_VERSION);
    time = engine->Timer_GetTime();
    slowMotionActive = time < slowMotionEnd;
    if (!slowMotionActive && slowFactor > 1.0f && time > nextSlowStep) {
        slowFactor -= 0.1f;
        nextSlowStep = time + 0.1f;
    }
    if (slowFactor < 1.0f) {
        slowFactor = 1.0f;
    }
    delta = engine->Timer_GetDelta() / slowFactor;
    if (flashAlpha > 0 && time > lastFlashStep + 0.1f) {
        lastFlashStep = time;
        flashAlpha -= 40;
        if (flashAlpha < 0) {
            flashAlpha = 0;
        }
    }
    engine->Release();
}
