#include "platform/sound/MixerDevice.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace {
constexpr int kFrequency = 44100;
constexpr int kBufferFrames = 1024;
} // namespace

bool MixerDevice::Open(const char* driver, int channels, std::string* error) {
    if (m_open) {
        return true;
    }
    if (driver != nullptr) {
        // The hint must win over the environment so a headless run never
        // touches real hardware; reset it so later opens choose freely.
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver, SDL_HINT_OVERRIDE);
    }
    int initResult = SDL_InitSubSystem(SDL_INIT_AUDIO);
    if (driver != nullptr) {
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    }
    if (initResult != 0) {
        *error = SDL_GetError();
        return false;
    }
    // Decoders load on demand; a missing one only shows when a file needs it.
    Mix_Init(MIX_INIT_OGG | MIX_INIT_MP3);
    if (Mix_OpenAudio(kFrequency, AUDIO_S16SYS, 2, kBufferFrames) != 0) {
        *error = Mix_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(channels);
    m_open = true;
    return true;
}

void MixerDevice::Close() {
    if (!m_open) {
        return;
    }
    m_open = false;
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

double MixerDevice::MeasureLength(const char* path) {
    Mix_Music* music = Mix_LoadMUS(path);
    if (music == nullptr) {
        return -1.0;
    }
    double length = Mix_MusicDuration(music);
    Mix_FreeMusic(music);
    if (length > 0.0) {
        return length;
    }
    // The format keeps no length: decode it once and count the samples.
    Mix_Chunk* chunk = Mix_LoadWAV(path);
    if (chunk == nullptr) {
        return -1.0;
    }
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&frequency, &format, &channels);
    double bytesPerSecond =
        static_cast<double>(frequency) * channels * (SDL_AUDIO_BITSIZE(format) / 8);
    length = bytesPerSecond > 0.0 ? chunk->alen / bytesPerSecond : -1.0;
    Mix_FreeChunk(chunk);
    return length;
}
