// Reads resources/d_sound.xml into the sound manager: every dialogue sound,
// then the seven music tracks.
#pragma once

class Engine;
class SoundManager;

// A file that cannot be loaded shows the load message and registers neither
// the dialogue sounds nor the music tracks; returns whether it loaded.
bool ReadDialogueSounds(const char* path, SoundManager& sounds, Engine& engine);
