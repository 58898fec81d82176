// Dialogue lines and the fight music, through the sound library. One per
// process (TheSoundManager), created before the definition database, whose
// reading of resources/d_sound.xml fills the two tables.
#pragma once

#include "content/SoundRegistrar.h"
#include "game/audio/AudioHost.h"
#include "game/audio/EngineAudioHost.h"
#include "platform/sound/SoundSystem.h"

#include <map>
#include <string>

class Engine;

class SoundManager : public SoundRegistrar {
public:
    // Opens the sound system with 100 channels; when that fails, logs the
    // sound library's message and ends the process with exit code -1.
    SoundManager();
    explicit SoundManager(const SoundSystemSetup& setup);
    ~SoundManager() override;
    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;

    // The game's clock and random numbers; nullptr goes back to the engine's.
    void SetHost(AudioHost* host);

    void RegisterDialogueSound(const std::string& name, const std::string& path,
                               int line = 0) override;
    void RegisterMusicTrack(const std::string& state, const std::string& path);
    // The seven fixed tracks, in the order the database registers them.
    void RegisterMusicTracks() override;

    // Starts the named line on a free channel; an unknown name plays nothing.
    void PlayDialogueSound(const std::string& name);
    bool IsDialoguePlaying() const;

    // Last step of every frame, paused or not: the intro, then a random
    // chain of tracks, one starting in the frame after the last ended. A
    // track that cannot start counts as ended at once.
    void UpdateMusic();
    // The player's held pause: the line and the track stop where they are,
    // and no track is chosen, until it is let go.
    void SetPaused(bool paused);
    bool IsPaused() const { return m_paused; }

    // The players' volumes, 0 to 1: at once for what plays, and for every
    // line and track started after.
    void SetVolumes(float music, float voice) {
        m_musicVolume = music;
        m_voiceVolume = voice;
        m_musicChannel.SetVolume(music);
        m_dialogueChannel.SetVolume(voice);
    }
    float MusicVolume() const;
    float VoiceVolume() const;

    // For the trace.
    const std::string& GetMusicState() const { return m_musicState; }
    bool IsIntroDone() const { return m_introDone; }
    bool IsMusicPlaying() const { return m_musicPlaying; }
    bool HasDialogueSound(const std::string& name) const {
        return m_dialogueSounds.count(name) != 0;
    }
    bool HasMusicTrack(const std::string& state) const { return m_musicTracks.count(state) != 0; }

private:
    void Check(SoundResult result);
    void ChooseNextTrack();
    Sound* Stream(const std::string& path);

    Engine* m_engine;
    EngineAudioHost m_engineHost;
    AudioHost* m_host;

    SoundResult m_lastResult = SOUND_OK;
    SoundSystem* m_system = nullptr;
    SoundChannel m_dialogueChannel;
    SoundChannel m_musicChannel;
    std::map<std::string, Sound*> m_dialogueSounds;
    std::map<std::string, Sound*> m_musicTracks;
    std::string m_musicState;
    bool m_introDone = false;
    bool m_musicPlaying = false;
    bool m_paused = false;
    float m_musicVolume = 1.0f;
    float m_voiceVolume = 1.0f;
};

SoundManager& TheSoundManager();
