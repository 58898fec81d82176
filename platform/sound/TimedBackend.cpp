#include "platform/sound/TimedBackend.h"

#include <cstdio>

namespace {

class TimedSound : public Sound {
public:
    TimedSound(std::string path, bool usable, double length)
        : Sound(std::move(path), usable, length) {}
};

} // namespace

SoundResult TimedBackend::Open(int channels, std::string* error) {
    // Without a decoder the run still goes on, only without sound lengths;
    // the system logs the reason.
    m_probe.Open("dummy", 1, error);
    m_book.Resize(channels);
    m_endTimes.assign(static_cast<std::size_t>(channels), 0.0);
    m_volumes.assign(static_cast<std::size_t>(channels), 1.0f);
    m_heldLeft.assign(static_cast<std::size_t>(channels), -1.0);
    return SOUND_OK;
}

std::unique_ptr<Sound> TimedBackend::Load(const char* path, SoundResult* result) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        *result = SOUND_ERR_FILE_NOT_FOUND;
        return std::make_unique<TimedSound>(path, false, 0.0);
    }
    std::fclose(file);
    double length = 0.0;
    if (m_probe.IsOpen()) {
        length = MixerDevice::MeasureLength(path);
        if (length < 0.0) {
            *result = SOUND_ERR_FORMAT;
            return std::make_unique<TimedSound>(path, false, 0.0);
        }
    }
    *result = SOUND_OK;
    return std::make_unique<TimedSound>(path, true, length);
}

SoundResult TimedBackend::Play(int channelId, Sound& sound, ChannelGrant* grant) {
    if (!sound.IsUsable()) {
        return SOUND_ERR_FORMAT;
    }
    if (channelId < SOUND_CHANNEL_FREE || channelId >= m_book.Size()) {
        return SOUND_ERR_INVALID_PARAM;
    }
    double now = m_clock();
    int index = channelId;
    if (index == SOUND_CHANNEL_FREE) {
        for (int i = 0; i < m_book.Size() && index < 0; ++i) {
            if (m_endTimes[static_cast<std::size_t>(i)] <= now &&
                m_heldLeft[static_cast<std::size_t>(i)] < 0) {
                index = i;
            }
        }
        if (index < 0) {
            return SOUND_ERR_CHANNEL_ALLOC;
        }
    }
    m_endTimes[static_cast<std::size_t>(index)] = now + sound.GetLength();
    m_volumes[static_cast<std::size_t>(index)] = 1.0f; // every play starts at full volume
    m_heldLeft[static_cast<std::size_t>(index)] = -1.0;
    *grant = m_book.Grant(index);
    return SOUND_OK;
}

SoundResult TimedBackend::IsPlaying(const ChannelGrant& grant, bool* playing) {
    *playing = false;
    if (!m_book.IsCurrent(grant)) {
        return SOUND_ERR_INVALID_HANDLE;
    }
    const auto index = static_cast<std::size_t>(grant.index);
    *playing = m_heldLeft[index] >= 0 || m_clock() < m_endTimes[index];
    return SOUND_OK;
}

SoundResult TimedBackend::Stop(const ChannelGrant& grant) {
    if (!m_book.IsCurrent(grant)) {
        return SOUND_ERR_INVALID_HANDLE;
    }
    m_endTimes[static_cast<std::size_t>(grant.index)] = 0.0;
    m_heldLeft[static_cast<std::size_t>(grant.index)] = -1.0;
    return SOUND_OK;
}

void TimedBackend::StopAll() {
    m_endTimes.assign(m_endTimes.size(), 0.0);
    m_heldLeft.assign(m_heldLeft.size(), -1.0);
}

SoundResult TimedBackend::SetVolume(const ChannelGrant& grant, float volume) {
    if (!m_book.IsCurrent(grant)) {
        return SOUND_ERR_INVALID_HANDLE;
    }
    m_volumes[static_cast<std::size_t>(grant.index)] = volume;
    return SOUND_OK;
}

SoundResult TimedBackend::GetVolume(const ChannelGrant& grant, float* volume) {
    if (!m_book.IsCurrent(grant)) {
        return SOUND_ERR_INVALID_HANDLE;
    }
    *volume = m_volumes[static_cast<std::size_t>(grant.index)];
    return SOUND_OK;
}

SoundResult TimedBackend::SetPaused(const ChannelGrant& grant, bool paused) {
    if (!m_book.IsCurrent(grant)) {
        return SOUND_ERR_INVALID_HANDLE;
    }
    const auto index = static_cast<std::size_t>(grant.index);
    const double now = m_clock();
    if (paused && m_heldLeft[index] < 0 && now < m_endTimes[index]) {
        m_heldLeft[index] = m_endTimes[index] - now;
    } else if (!paused && m_heldLeft[index] >= 0) {
        m_endTimes[index] = now + m_heldLeft[index];
        m_heldLeft[index] = -1.0;
    }
    return SOUND_OK;
}
