// What a sound output must do. The system picks one at Init: the mixer on a
// real (or silent dummy) device, or the timed output that plays nothing.
#pragma once

#include "platform/sound/Sound.h"
#include "platform/sound/SoundResult.h"

#include <cstdint>
#include <memory>
#include <string>

// Which play a channel handle refers to: a channel index and the count of
// plays started on it, so a handle to a finished, reused channel goes stale.
struct ChannelGrant {
    int index = -1;
    std::uint32_t generation = 0;
};

class SoundBackend {
public:
    virtual ~SoundBackend() = default;

    // error receives a readable reason when the result is not SOUND_OK.
    virtual SoundResult Open(int channels, std::string* error) = 0;
    // Always returns a handle; an unusable one when result is not SOUND_OK.
    virtual std::unique_ptr<Sound> Load(const char* path, SoundResult* result) = 0;
    // channelId is SOUND_CHANNEL_FREE or an index below the channel count.
    virtual SoundResult Play(int channelId, Sound& sound, ChannelGrant* grant) = 0;
    virtual SoundResult IsPlaying(const ChannelGrant& grant, bool* playing) = 0;
    virtual SoundResult Stop(const ChannelGrant& grant) = 0;
    // 0 silent to 1 full; for the play the grant refers to.
    virtual SoundResult SetVolume(const ChannelGrant& grant, float volume) = 0;
    virtual SoundResult GetVolume(const ChannelGrant& grant, float* volume) = 0;
    // Holds the play where it is; a held play still counts as playing.
    virtual SoundResult SetPaused(const ChannelGrant& grant, bool paused) = 0;
    virtual void StopAll() = 0;
    virtual void Update() = 0;
    // Called after every Sound the backend loaded has been destroyed.
    virtual void Close() = 0;
    // "device", "silent" or "timed": for the log and tests.
    virtual const char* Name() const = 0;
};
