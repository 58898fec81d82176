// Plays nothing, but keeps each play "playing" for the file's real length on
// a clock it is given (the engine's simulated time when headless), so
// dialogue and music timing match a run with sound.
#pragma once

#include "platform/sound/ChannelBook.h"
#include "platform/sound/MixerDevice.h"
#include "platform/sound/SoundBackend.h"

#include <functional>
#include <vector>

class TimedBackend : public SoundBackend {
public:
    explicit TimedBackend(std::function<double()> clock) : m_clock(std::move(clock)) {}

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
    void Close() override { m_probe.Close(); }
    const char* Name() const override { return "timed"; }

    // False when no decoder could be opened: every sound then ends at once.
    bool CanMeasure() const { return m_probe.IsOpen(); }

private:
    std::function<double()> m_clock;
    // Opened on the dummy driver only to read file lengths.
    MixerDevice m_probe;
    ChannelBook m_book;
    std::vector<double> m_endTimes;
    std::vector<float> m_volumes;
    // Time left of each held play; negative while the play runs.
    std::vector<double> m_heldLeft;
};
