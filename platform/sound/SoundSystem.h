// The sound library's system object: opens an output, creates streams and
// starts them on channels.
#pragma once

#include "platform/sound/Sound.h"
#include "platform/sound/SoundBackend.h"
#include "platform/sound/SoundChannel.h"
#include "platform/sound/SoundResult.h"

#include <functional>
#include <memory>
#include <vector>

class Engine;

enum class SoundOutput {
    Auto,   // timed when the engine runs headless, else the device (silent if none)
    Device, // the device, silent if none can be opened
    Timed,  // never plays; each play lasts the file's length on the clock
};

struct SoundSystemSetup {
    SoundOutput output = SoundOutput::Auto;
    // The timed output's clock in seconds; empty: the engine's Timer_GetTime.
    std::function<double()> clock;
    // Replaces the output chosen by Init (tests use it to stand in a fake).
    std::shared_ptr<SoundBackend> backend;
};

class SoundSystem {
public:
    ~SoundSystem();
    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;

    // flags: SOUND_INIT_NORMAL; driverData: unused, pass nullptr.
    SoundResult Init(int maxChannels, unsigned flags, void* driverData);
    // mode: SOUND_DEFAULT; extraInfo: unused. *sound is always filled once
    // the system is initialised: an unusable handle when the file cannot be
    // played (the result says why).
    SoundResult CreateStream(const char* path, unsigned mode, void* extraInfo, Sound** sound);
    // channelId: SOUND_CHANNEL_FREE or a channel index. *channel is filled on
    // success and left unset otherwise. Starting paused is not supported.
    SoundResult PlaySound(int channelId, Sound* sound, bool paused, SoundChannel* channel);
    // Once per frame.
    SoundResult Update();
    // Stops everything, frees the streams and this object.
    SoundResult Release();

    // Which output Init settled on: "device", "silent", "timed" or "" before.
    const char* GetOutputName() const;

private:
    friend SoundResult Sound_SystemCreate(SoundSystem** system, const SoundSystemSetup& setup);
    explicit SoundSystem(SoundSystemSetup setup);

    std::shared_ptr<SoundBackend> ChooseBackend(int channels);
    std::shared_ptr<SoundBackend> MakeTimed();
    void Log(const char* format, ...) __attribute__((format(printf, 2, 3)));

    SoundSystemSetup m_setup;
    Engine* m_engine = nullptr;
    std::shared_ptr<SoundBackend> m_backend;
    std::vector<std::unique_ptr<Sound>> m_sounds;
};

SoundResult Sound_SystemCreate(SoundSystem** system, const SoundSystemSetup& setup = {});
