#include "game/audio/EngineAudioHost.h"

#include "platform/engine/Engine.h"

float EngineAudioHost::ClockTime() {
    return m_engine != nullptr ? m_engine->Timer_GetTime() : 0.0f;
}

void EngineAudioHost::StartSlowMotion(float endTime, float slowFactor) {
    if (m_engine != nullptr) {
        m_engine->System_Log("Music: slow motion x%.1f until %.2f s has no game clock to act on",
                             slowFactor, endTime);
    }
}

int EngineAudioHost::RandomInt(int min, int max) {
    return m_engine != nullptr ? m_engine->Random_Int(min, max) : min;
}
