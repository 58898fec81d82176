#include "platform/sound/SoundSystem.h"

#include "platform/engine/Engine.h"
#include "platform/engine/EngineOptions.h"
#include "platform/sound/MixerBackend.h"
#include "platform/sound/RecordedBackend.h"
#include "platform/sound/TimedBackend.h"

#include <cstdarg>
#include <cstdio>

namespace {
// Far more than any mix needs; guards against a garbage count.
constexpr int kMaxChannels = 4096;
} // namespace

SoundResult Sound_SystemCreate(SoundSystem** system, const SoundSystemSetup& setup) {
    if (system == nullptr) {
        return SOUND_ERR_INVALID_PARAM;
    }
    *system = new SoundSystem(setup);
    return SOUND_OK;
}

SoundSystem::SoundSystem(SoundSystemSetup setup)
    : m_setup(std::move(setup)), m_engine(EngineCreate(ENGINE_VERSION)) {}

SoundSystem::~SoundSystem() {
    if (m_backend) {
        m_backend->StopAll();
    }
    // Streams hold decoder state that must go before the device closes.
    m_sounds.clear();
    if (m_backend) {
        m_backend->Close();
    }
    if (m_engine != nullptr) {
        m_engine->Release();
    }
}

SoundResult SoundSystem::Release() {
    delete this;
    return SOUND_OK;
}

const char* SoundSystem::GetOutputName() const {
    return m_backend ? m_backend->Name() : "";
}

SoundResult SoundSystem::Init(int maxChannels, unsigned flags, void* driverData) {
    (void)driverData;
    if (m_backend) {
        return SOUND_ERR_INITIALIZED;
    }
    if (maxChannels <= 0 || maxChannels > kMaxChannels || flags != SOUND_INIT_NORMAL) {
        return SOUND_ERR_INVALID_PARAM;
    }
    if (m_setup.backend) {
        std::string error;
        SoundResult result = m_setup.backend->Open(maxChannels, &error);
        if (result != SOUND_OK) {
            Log("Sound: cannot open the output: %s", error.c_str());
            return result;
        }
        m_backend = std::make_shared<RecordedBackend>(m_setup.backend, m_engine);
        return SOUND_OK;
    }
    m_backend = std::make_shared<RecordedBackend>(ChooseBackend(maxChannels), m_engine);
    return SOUND_OK;
}

std::shared_ptr<SoundBackend> SoundSystem::ChooseBackend(int channels) {
    std::string error;
    bool timed = m_setup.output == SoundOutput::Timed ||
                 (m_setup.output == SoundOutput::Auto && GetEngineOptions().headless);
    if (!timed) {
        auto device = std::make_shared<MixerBackend>(nullptr);
        if (device->Open(channels, &error) == SOUND_OK) {
            return device;
        }
        // A machine without sound must still run the game.
        Log("Sound: no audio device (%s); playing silently", error.c_str());
        auto silent = std::make_shared<MixerBackend>("dummy");
        if (silent->Open(channels, &error) == SOUND_OK) {
            return silent;
        }
        Log("Sound: silent output failed too (%s); timing sounds on the clock", error.c_str());
    }
    auto backend = std::make_shared<TimedBackend>(m_setup.clock ? m_setup.clock : [this] {
        return m_engine != nullptr ? static_cast<double>(m_engine->Timer_GetTime()) : 0.0;
    });
    backend->Open(channels, &error);
    if (!backend->CanMeasure()) {
        Log("Sound: cannot read sound lengths (%s); every sound ends at once", error.c_str());
    }
    return backend;
}

SoundResult SoundSystem::CreateStream(const char* path, unsigned mode, void* extraInfo,
                                      Sound** sound) {
    (void)extraInfo;
    if (sound == nullptr || path == nullptr || mode != SOUND_DEFAULT) {
        return SOUND_ERR_INVALID_PARAM;
    }
    *sound = nullptr;
    if (!m_backend) {
        return SOUND_ERR_UNINITIALIZED;
    }
    SoundResult result = SOUND_OK;
    m_sounds.push_back(m_backend->Load(path, &result));
    *sound = m_sounds.back().get();
    if (result != SOUND_OK) {
        Log("Sound: cannot open \"%s\": %s", path, Sound_ErrorString(result));
    }
    return result;
}

SoundResult SoundSystem::PlaySound(int channelId, Sound* sound, bool paused,
                                   SoundChannel* channel) {
    if (channel == nullptr) {
        return SOUND_ERR_INVALID_PARAM;
    }
    *channel = SoundChannel();
    if (!m_backend) {
        return SOUND_ERR_UNINITIALIZED;
    }
    if (sound == nullptr) {
        return SOUND_ERR_INVALID_HANDLE;
    }
    if (paused) {
        return SOUND_ERR_UNSUPPORTED;
    }
    ChannelGrant grant;
    SoundResult result = m_backend->Play(channelId, *sound, &grant);
    if (result == SOUND_OK) {
        channel->m_backend = m_backend;
        channel->m_grant = grant;
    }
    return result;
}

SoundResult SoundSystem::Update() {
    if (!m_backend) {
        return SOUND_ERR_UNINITIALIZED;
    }
    m_backend->Update();
    return SOUND_OK;
}

void SoundSystem::Log(const char* format, ...) {
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (m_engine != nullptr) {
        m_engine->System_Log("%s", text);
    } else {
        std::fprintf(stderr, "%s\n", text);
    }
}
