#include "game/core/GameAudioHost.h"

#include "game/core/GameClock.h"
#include "platform/engine/Engine.h"

float GameAudioHost::ClockTime() {
    return TheGameClock().time;
}

void GameAudioHost::StartSlowMotion(float endTime, float slowFactor) {
    GameClock& clock = TheGameClock();
    clock.slowMotionEnd = endTime;
    clock.slowFactor = slowFactor;
}

int GameAudioHost::RandomInt(int min, int max) {
    Engine* engine = EngineCreate(ENGINE_VERSION);
    int value = engine->Random_Int(min, max);
    engine->Release();
    return value;
}
