// Settings players need beyond the game's own, from "settings.ini",
// section "CONFIGS". A key that is missing, not a number or out of range
// takes its default; the defaults keep the game as it always was, but for
// vsync, which a window wants, and the bars and markers a new player needs.
#pragma once

class Engine;

struct PlayerSettings {
    bool effects = true;      // "effects": 0 spares players the ripple and the shader pulse
    int musicVolume = 100;    // "music_volume", 0-100
    int voiceVolume = 100;    // "voice_volume", 0-100
    bool vsync = true;        // "vsync": 0 draws as fast as "fps" allows
    bool healthBar = true;    // "health_bar": 0 hides the bar under the HUD text
    bool enemyBars = true;    // "enemy_bars": 0 hides the bars over hurt enemies
    bool enemyMarkers = true; // "enemy_markers": 0 hides the arrows to unseen enemies
    bool fullScreen = false;  // "Fullscreen", as the engine was set up from it
};

PlayerSettings ReadPlayerSettings(Engine& engine);
