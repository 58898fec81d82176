#include "platform/sound/SoundChannel.h"

SoundResult SoundChannel::IsPlaying(bool* playing) const {
    if (playing == nullptr) {
        return SOUND_ERR_INVALID_PARAM;
    }
    *playing = false;
    auto backend = m_backend.lock();
    if (!backend || !IsSet()) {
        return SOUND_ERR_INVALID_HANDLE;
    }
    SoundResult result = backend->IsPlaying(m_grant, playing);
    if (result != SOUND_OK) {
        *playing = false;
    }
    return result;
}

SoundResult SoundChannel::Stop() {
    auto backend = m_backend.lock();
    if (!backend || !IsSet()) {
        return SOUND_ERR_INVALID_HANDLE;
    }
    return backend->Stop(m_grant);
}

SoundResult SoundChannel::SetVolume(float volume) {
    auto backend = m_backend.lock();
    if (!backend || !IsSet()) {
        return SOUND_ERR_INVALID_HANDLE;
    }
    if (!(volume >= 0.0f)) {
        volume = 0.0f;
    }
    return backend->SetVolume(m_grant, volume > 1.0f ? 1.0f : volume);
}

SoundResult SoundChannel::GetVolume(float* volume) const {
    if (volume == nullptr) {
        return SOUND_ERR_INVALID_PARAM;
    }
    auto backend = m_backend.lock();
    if (!backend || !IsSet()) {
        return SOUND_ERR_INVALID_HANDLE;
    }
    return backend->GetVolume(m_grant, volume);
}

SoundResult SoundChannel::SetPaused(bool paused) {
    auto backend = m_backend.lock();
    if (!backend || !IsSet()) {
        return SOUND_ERR_INVALID_HANDLE;
    }
    return backend->SetPaused(m_grant, paused);
}
