#include "game/core/PlayerSettings.h"

#include "platform/engine/Engine.h"

namespace {

int InRange(Engine& engine, const char* key, int fallback, int low, int high) {
    const int value = engine.Ini_GetInt("CONFIGS", key, fallback);
    return value >= low && value <= high ? value : fallback;
}

} // namespace

PlayerSettings ReadPlayerSettings(Engine& engine) {
    PlayerSettings settings;
    settings.effects = InRange(engine, "effects", 1, 0, 1) != 0;
    settings.musicVolume = InRange(engine, "music_volume", 100, 0, 100);
    settings.voiceVolume = InRange(engine, "voice_volume", 100, 0, 100);
    settings.vsync = InRange(engine, "vsync", 1, 0, 1) != 0;
    settings.healthBar = InRange(engine, "health_bar", 1, 0, 1) != 0;
    settings.enemyBars = InRange(engine, "enemy_bars", 1, 0, 1) != 0;
    settings.enemyMarkers = InRange(engine, "enemy_markers", 1, 0, 1) != 0;
    return settings;
}
