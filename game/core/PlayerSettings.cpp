#include "game/core/PlayerSettings.h"

#include "platform/engine/Engine.h"
#include "platform/engine/IniFile.h"

#include <string>

namespace {

int InRange(Engine& engine, const char* key, int fallback, int low, int high) {
    const std::string text = engine.Ini_GetString("CONFIGS", key, "");
    if (text.empty()) {
        return fallback;
    }
    const int value = IniFile::ToInt(text, low - 1);
    if (value >= low && value <= high) {
        return value;
    }
    // A player who edited the file by hand learns why it did nothing.
    engine.System_Log("Setting %s=%s is not usable; %d holds", key, text.c_str(), fallback);
    return fallback;
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
    settings.fullScreen = !engine.System_GetState(ENGINE_WINDOWED);
    return settings;
}
