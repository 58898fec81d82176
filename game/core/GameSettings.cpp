// Settings changed in the menu: they take effect at once and go to the
// player's own settings file, so they hold after a restart.
#include "game/audio/SoundManager.h"
#include "game/core/Game.h"
#include "game/core/ScreenEffects.h"

#include <cstring>

void Game::ApplySetting(const char* key) {
    if (!key) {
        return;
    }
    int kept = 0;
    if (std::strcmp(key, "music_volume") == 0 || std::strcmp(key, "voice_volume") == 0) {
        TheSoundManager().SetVolumes(static_cast<float>(settings.musicVolume) / 100,
                                     static_cast<float>(settings.voiceVolume) / 100);
        kept = key[0] == 'm' ? settings.musicVolume : settings.voiceVolume;
    } else if (std::strcmp(key, "effects") == 0) {
        TheScreenEffects().hitEffects = settings.effects;
        kept = settings.effects;
    } else if (std::strcmp(key, "Fullscreen") == 0) {
        engine->System_SetState(ENGINE_WINDOWED, !settings.fullScreen);
        // The switch may not have taken (no such mode): show what is.
        settings.fullScreen = !engine->System_GetState(ENGINE_WINDOWED);
        kept = settings.fullScreen;
    } else if (std::strcmp(key, "vsync") == 0) {
        if (m_frameCap == ENGINE_FPS_UNLIMITED) {
            engine->System_SetState(ENGINE_FPS,
                                    settings.vsync ? ENGINE_FPS_VSYNC : ENGINE_FPS_UNLIMITED);
        }
        kept = settings.vsync;
    } else if (std::strcmp(key, "health_bar") == 0) {
        kept = settings.healthBar;
    } else if (std::strcmp(key, "enemy_bars") == 0) {
        kept = settings.enemyBars;
    } else if (std::strcmp(key, "enemy_markers") == 0) {
        kept = settings.enemyMarkers;
    } else {
        return;
    }
    engine->Ini_SetInt("CONFIGS", key, kept);
}
