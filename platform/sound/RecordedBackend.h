// Stands between the game and its sound output. In a window the moment a
// sound ends comes from the device's clock, and the game acts on it (the
// music's next track, a dialogue's next line), so a recorded run writes
// down when the game found each play ended or failed to start, and a replay
// answers from the recording instead of from its own output, which keeps
// playing what it can.
#pragma once

#include "platform/sound/SoundBackend.h"

#include <map>
#include <memory>
#include <utility>

class Engine;

class RecordedBackend : public SoundBackend {
public:
    RecordedBackend(std::shared_ptr<SoundBackend> inner, Engine* engine);

    SoundResult Open(int channels, std::string* error) override;
    std::unique_ptr<Sound> Load(const char* path, SoundResult* result) override;
    SoundResult Play(int channelId, Sound& sound, ChannelGrant* grant) override;
    SoundResult IsPlaying(const ChannelGrant& grant, bool* playing) override;
    SoundResult Stop(const ChannelGrant& grant) override;
    SoundResult SetVolume(const ChannelGrant& grant, float volume) override;
    SoundResult GetVolume(const ChannelGrant& grant, float* volume) override;
    SoundResult SetPaused(const ChannelGrant& grant, bool paused) override;
    void StopAll() override { m_inner->StopAll(); }
    void Update() override { m_inner->Update(); }
    void Close() override { m_inner->Close(); }
    const char* Name() const override { return m_inner->Name(); }

private:
    struct Started {
        int number = 0;
        bool ended = false; // recording: the end is written
        bool onOutput = true;
        float volume = 1; // a play the output could not start keeps its own
    };
    using Key = std::pair<int, std::uint32_t>;
    static Key KeyOf(const ChannelGrant& grant) { return {grant.index, grant.generation}; }
    void LoadReplay();
    Started* Find(const ChannelGrant& grant);

    std::shared_ptr<SoundBackend> m_inner;
    Engine* m_engine;
    bool m_replaying = false;
    bool m_loaded = false;
    int m_plays = 0;
    std::map<Key, Started> m_grants;
    // From the recording: play -> the frame its end was found, or the
    // result its start failed with.
    std::map<int, int> m_endFrames;
    std::map<int, int> m_failures;
    std::uint32_t m_standIns = 0;
};
