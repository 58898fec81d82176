#include "platform/sound/MixerBackend.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>

namespace {

class MixerSound : public Sound {
public:
    MixerSound(std::string path, bool usable, double length, Mix_Music* music)
        : Sound(std::move(path), usable, length), m_music(music) {}
    ~MixerSound() override {
        if (m_music != nullptr) {
            Mix_FreeMusic(m_music);
        }
        if (m_chunk != nullptr) {
            Mix_FreeChunk(m_chunk);
        }
    }

    Mix_Music* Music() const { return m_music; }
    // Decoded on first need and kept: lines are short and often replayed.
    Mix_Chunk* Chunk() {
        if (m_chunk == nullptr) {
            m_chunk = Mix_LoadWAV(GetPath().c_str());
        }
        return m_chunk;
    }

private:
    Mix_Music* m_music;
    Mix_Chunk* m_chunk = nullptr;
};

bool FileOpens(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return false;
    }
    std::fclose(file);
    return true;
}

} // namespace

SoundResult MixerBackend::Open(int channels, std::string* error) {
    if (!m_device.Open(m_driver, channels, error)) {
        return SOUND_ERR_OUTPUT_INIT;
    }
    m_book.Resize(channels + 1);
    return SOUND_OK;
}

std::unique_ptr<Sound> MixerBackend::Load(const char* path, SoundResult* result) {
    Mix_Music* music = Mix_LoadMUS(path);
    if (music == nullptr) {
        *result = FileOpens(path) ? SOUND_ERR_FORMAT : SOUND_ERR_FILE_NOT_FOUND;
        return std::make_unique<MixerSound>(path, false, 0.0, nullptr);
    }
    double length = Mix_MusicDuration(music);
    if (length >= 0.0 && length <= kSampleSeconds) {
        Mix_FreeMusic(music);
        music = nullptr;
    }
    *result = SOUND_OK;
    return std::make_unique<MixerSound>(path, true, length, music);
}

SoundResult MixerBackend::Play(int channelId, Sound& sound, ChannelGrant* grant) {
    auto& mixerSound = static_cast<MixerSound&>(sound);
    if (!sound.IsUsable()) {
        return SOUND_ERR_FORMAT;
    }
    if (channelId < SOUND_CHANNEL_FREE || channelId >= MusicSlot()) {
        return SOUND_ERR_INVALID_PARAM;
    }
    if (channelId == SOUND_CHANNEL_FREE && mixerSound.Music() != nullptr &&
        Mix_PlayingMusic() == 0) {
        // Every play starts at full volume; the mixer would keep the last.
        Mix_VolumeMusic(MIX_MAX_VOLUME);
        if (Mix_PlayMusic(mixerSound.Music(), 0) != 0) {
            return SOUND_ERR_FORMAT;
        }
        *grant = m_book.Grant(MusicSlot());
        return SOUND_OK;
    }
    Mix_Chunk* chunk = mixerSound.Chunk();
    if (chunk == nullptr) {
        return SOUND_ERR_FORMAT;
    }
    int index = Mix_PlayChannel(channelId, chunk, 0);
    if (index < 0) {
        return channelId == SOUND_CHANNEL_FREE ? SOUND_ERR_CHANNEL_ALLOC : SOUND_ERR_INVALID_PARAM;
    }
    Mix_Volume(index, MIX_MAX_VOLUME);
    *grant = m_book.Grant(index);
    return SOUND_OK;
}

SoundResult MixerBackend::IsPlaying(const ChannelGrant& grant, bool* playing) {
    *playing = false;
    if (!m_device.IsOpen() || !m_book.IsCurrent(grant)) {
        return SOUND_ERR_INVALID_HANDLE;
    }
    *playing = grant.index == MusicSlot() ? Mix_PlayingMusic() != 0 : Mix_Playing(grant.index) != 0;
    return SOUND_OK;
}

SoundResult MixerBackend::Stop(const ChannelGrant& grant) {
    if (!m_device.IsOpen() || !m_book.IsCurrent(grant)) {
        return SOUND_ERR_INVALID_HANDLE;
    }
    if (grant.index == MusicSlot()) {
        Mix_HaltMusic();
    } else {
        Mix_HaltChannel(grant.index);
    }
    return SOUND_OK;
}

void MixerBackend::StopAll() {
    if (m_device.IsOpen()) {
        Mix_HaltChannel(-1);
        Mix_HaltMusic();
    }
}

SoundResult MixerBackend::SetVolume(const ChannelGrant& grant, float volume) {
    if (!m_device.IsOpen() || !m_book.IsCurrent(grant)) {
        return SOUND_ERR_INVALID_HANDLE;
    }
    const int level = static_cast<int>(volume * MIX_MAX_VOLUME + 0.5f);
    if (grant.index == MusicSlot()) {
        Mix_VolumeMusic(level);
    } else {
        Mix_Volume(grant.index, level);
    }
    return SOUND_OK;
}

SoundResult MixerBackend::GetVolume(const ChannelGrant& grant, float* volume) {
    if (!m_device.IsOpen() || !m_book.IsCurrent(grant)) {
        return SOUND_ERR_INVALID_HANDLE;
    }
    const int level =
        grant.index == MusicSlot() ? Mix_VolumeMusic(-1) : Mix_Volume(grant.index, -1);
    *volume = static_cast<float>(level) / MIX_MAX_VOLUME;
    return SOUND_OK;
}

SoundResult MixerBackend::SetPaused(const ChannelGrant& grant, bool paused) {
    if (!m_device.IsOpen() || !m_book.IsCurrent(grant)) {
        return SOUND_ERR_INVALID_HANDLE;
    }
    if (grant.index == MusicSlot()) {
        paused ? Mix_PauseMusic() : Mix_ResumeMusic();
    } else {
        paused ? Mix_Pause(grant.index) : Mix_Resume(grant.index);
    }
    return SOUND_OK;
}
