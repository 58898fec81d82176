// Settings changed in the menu: they take effect at once and go to the
// player's own settings file, so they hold after a restart.
#include "game/audio/SoundManager.h"
#include "game/core/Game.h"
#include "game/core/ScreenEffects.h"

#include <cstring>

void Game::ApplySetting(const char* key, int value) {
    if (!key) {
        return;
    }
    if (std::strcmp(key, "music_volume") == 0 || std::strcmp(key, "voice_volume") == 0) {
        TheSoundManager().SetVolumes(static_cast<float>(settings.musicVolume) / 100,
                                     static_cast<float>(settings.voiceVolume) / 100);
    } else if (std::strcmp(key, "effects") == 0) {
        TheScreenEffects().hitEffects = settings.effects;
    } else if (std::strcmp(key, "Fullscreen") == 0) {
        engine->System_SetState(ENGINE_WINDOWED, !settings.fullScreen);
        // The switch may not have taken (no such mode): show what is.
        settings.fullScreen = !engine->System_GetState(ENGINE_WINDOWED);
        value = settings.fullScreen;
    } else if (std::strcmp(key, "vsync") == 0 && m_frameCap == ENGINE_FPS_UNLIMITED) {
        engine->System_SetState(ENGINE_FPS,
                                settings.vsync ? ENGINE_FPS_VSYNC : ENGINE_FPS_UNLIMITED);
    }
    engine->Ini_SetInt("CONFIGS", key, value);
}
