// Plays through SDL2_mixer. Long sounds (music) stream from disk through the
// mixer's music slot; short ones (dialogue lines) and anything started while
// the slot is busy are decoded into samples on ordinary channels, so a line
// and a track always play together.
#pragma once

#include "platform/sound/ChannelBook.h"
#include "platform/sound/MixerDevice.h"
#include "platform/sound/SoundBackend.h"

class MixerBackend : public SoundBackend {
public:
    // driver nullptr: the real device; "dummy": silent output at real speed.
    explicit MixerBackend(const char* driver) : m_driver(driver) {}

    SoundResult Open(int channels, std::string* error) override;
    std::unique_ptr<Sound> Load(const char* path, SoundResult* result) override;
    SoundResult Play(int channelId, Sound& sound, ChannelGrant* grant) override;
    SoundResult IsPlaying(const ChannelGrant& grant, bool* playing) override;
    SoundResult Stop(const ChannelGrant& grant) override;
    SoundResult SetVolume(const ChannelGrant& grant, float volume) override;
    SoundResult GetVolume(const ChannelGrant& grant, float* volume) override;
    SoundResult SetPaused(const ChannelGrant& grant, bool paused) override;
    void StopAll() override;
    void Update() override {}
    void Close() override { m_device.Close(); }
    const char* Name() const override { return m_driver == nullptr ? "device" : "silent"; }

    // Sounds at most this long are decoded into samples when played.
    static constexpr double kSampleSeconds = 10.0;

private:
    // The music slot is the index after the sample channels.
    int MusicSlot() const { return m_book.Size() - 1; }

    const char* m_driver;
    MixerDevice m_device;
    ChannelBook m_book;
};
