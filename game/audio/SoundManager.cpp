#include "game/audio/SoundManager.h"

#include "platform/engine/Engine.h"
#include "platform/registry/Registry.h"

#include <cstdlib>

namespace {

constexpr int kChannels = 100;

struct TrackFile {
    const char* state;
    const char* path;
};

constexpr TrackFile kTracks[] = {
    {"fightint", "sounds/int.ogg"},          {"fighting", "sounds/loop1x.ogg"},
    {"fightingsolo", "sounds/loopsolo.ogg"}, {"slowdown", "sounds/stop.ogg"},
    {"outrolose", "sounds/outrolose.ogg"},   {"outrowin", "sounds/outrowin.ogg"},
    {"mainmenu", "sounds/mainmenu.mp3"},
};

} // namespace

SoundManager& TheSoundManager() {
    return Registry::Current().Get<SoundManager>();
}

SoundManager::SoundManager() : SoundManager(SoundSystemSetup{}) {}

SoundManager::SoundManager(const SoundSystemSetup& setup)
    : m_engine(EngineCreate(ENGINE_VERSION)), m_engineHost(m_engine), m_host(&m_engineHost) {
    m_musicState = "";
    Check(Sound_SystemCreate(&m_system, setup));
    m_introDone = false;
    m_musicPlaying = false;
    Check(m_system->Init(kChannels, SOUND_INIT_NORMAL, nullptr));
}

SoundManager::~SoundManager() {
    // The game never destroys it; a test's fresh registry does.
    if (m_system != nullptr) {
        m_system->Release();
    }
    if (m_engine != nullptr) {
        m_engine->Release();
    }
}

void SoundManager::Check(SoundResult result) {
    m_lastResult = result;
    if (result == SOUND_OK) {
        return;
    }
    if (m_engine != nullptr) {
        m_engine->System_Log("Sound error! (%d) %s\n", result, Sound_ErrorString(result));
    }
    std::exit(-1);
}

void SoundManager::SetHost(AudioHost* host) {
    m_host = host != nullptr ? host : &m_engineHost;
}

Sound* SoundManager::Stream(const std::string& path) {
    // A file that cannot be streamed leaves a handle that plays nothing.
    Sound* sound = nullptr;
    m_system->CreateStream(path.c_str(), SOUND_DEFAULT, nullptr, &sound);
    return sound;
}

void SoundManager::RegisterDialogueSound(const std::string& name, const std::string& path, int) {
    m_dialogueSounds[name] = Stream(path);
}

void SoundManager::RegisterMusicTrack(const std::string& state, const std::string& path) {
    m_musicTracks[state] = Stream(path);
}

void SoundManager::RegisterMusicTracks() {
    for (const TrackFile& track : kTracks) {
        RegisterMusicTrack(track.state, track.path);
    }
}

void SoundManager::PlayDialogueSound(const std::string& name) {
    auto found = m_dialogueSounds.find(name);
    Sound* sound = found != m_dialogueSounds.end() ? found->second : nullptr;
    // Without a sound the channel is left unset, so the line ends at once
    // instead of waiting on an earlier line's channel.
    m_system->PlaySound(SOUND_CHANNEL_FREE, sound, false, &m_dialogueChannel);
    m_dialogueChannel.SetVolume(m_voiceVolume);
    if (m_paused) {
        m_dialogueChannel.SetPaused(true); // begun by an item used in the pause
    }
}

bool SoundManager::IsDialoguePlaying() const {
    bool playing = false;
    m_dialogueChannel.IsPlaying(&playing);
    return playing;
}

void SoundManager::SetPaused(bool paused) {
    m_paused = paused;
    m_dialogueChannel.SetPaused(paused);
    m_musicChannel.SetPaused(paused);
}

void SoundManager::UpdateMusic() {
    if (m_paused) {
        m_system->Update();
        return;
    }
    if (!m_introDone) {
        m_musicState = "fightint";
    }
    if (!m_musicPlaying) {
        auto found = m_musicTracks.find(m_musicState);
        Sound* track = found != m_musicTracks.end() ? found->second : nullptr;
        m_system->PlaySound(SOUND_CHANNEL_FREE, track, false, &m_musicChannel);
        m_musicChannel.SetVolume(m_musicVolume);
    }
    m_musicChannel.IsPlaying(&m_musicPlaying);
    if (m_musicState == "fightint" && !m_musicPlaying) {
        m_introDone = true;
    }
    if (m_introDone && !m_musicPlaying) {
        ChooseNextTrack();
    }
    m_system->Update();
}

void SoundManager::ChooseNextTrack() {
    // Chances 3 : 2 : 5 for the sting, the solo loop and the plain loop.
    int n = m_host->RandomInt(1, 10);
    if (n <= 3) {
        m_musicState = "slowdown";
        // The sting slows the fight only when it can be heard: a track that
        // cannot play must not keep the game at half speed.
        auto found = m_musicTracks.find(m_musicState);
        if (found != m_musicTracks.end() && found->second && found->second->IsUsable()) {
            m_host->StartSlowMotion(m_host->ClockTime() + 1.0f, 2.0f);
        }
    } else if (n <= 5) {
        m_musicState = "fightingsolo";
    } else {
        m_musicState = "fighting";
    }
}

float SoundManager::MusicVolume() const {
    float volume = 0;
    m_musicChannel.GetVolume(&volume);
    return volume;
}

float SoundManager::VoiceVolume() const {
    float volume = 0;
    m_dialogueChannel.GetVolume(&volume);
    return volume;
}
