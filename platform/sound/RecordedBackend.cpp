#include "platform/sound/RecordedBackend.h"

#include "platform/engine/Engine.h"

namespace {
// Grants for plays the replay's output could not start but the recording
// did: the output never sees them.
constexpr int kStandInIndex = -2;
} // namespace

RecordedBackend::RecordedBackend(std::shared_ptr<SoundBackend> inner, Engine* engine)
    : m_inner(std::move(inner)), m_engine(engine) {}

SoundResult RecordedBackend::Open(int channels, std::string* error) {
    return m_inner->Open(channels, error);
}

std::unique_ptr<Sound> RecordedBackend::Load(const char* path, SoundResult* result) {
    return m_inner->Load(path, result);
}

void RecordedBackend::LoadReplay() {
    // The recording is read when the engine starts, after the sound system.
    if (m_loaded || m_engine == nullptr) {
        return;
    }
    m_loaded = true;
    const std::vector<InputEvent>* replayed = m_engine->System_Replayed();
    m_replaying = replayed != nullptr;
    if (!m_replaying) {
        return;
    }
    for (const InputEvent& e : *replayed) {
        if (e.kind != InputEvent::Kind::Sound) {
            continue;
        }
        if (e.down) {
            m_endFrames.emplace(e.play, e.frame);
        } else {
            m_failures.emplace(e.play, e.ch);
        }
    }
}

SoundResult RecordedBackend::Play(int channelId, Sound& sound, ChannelGrant* grant) {
    LoadReplay();
    const int number = m_plays++;
    if (m_replaying) {
        if (auto failed = m_failures.find(number); failed != m_failures.end()) {
            return static_cast<SoundResult>(failed->second);
        }
        Started play{number};
        if (m_inner->Play(channelId, sound, grant) != SOUND_OK) {
            *grant = ChannelGrant{kStandInIndex, ++m_standIns};
            play.onOutput = false;
        }
        m_grants[KeyOf(*grant)] = play;
        return SOUND_OK;
    }
    const SoundResult result = m_inner->Play(channelId, sound, grant);
    if (result != SOUND_OK) {
        if (m_engine != nullptr) {
            InputEvent failed;
            failed.kind = InputEvent::Kind::Sound;
            failed.frame = m_engine->System_GetFrame();
            failed.play = number;
            failed.ch = result;
            m_engine->System_RecordOutside(failed);
        }
        return result;
    }
    m_grants[KeyOf(*grant)] = Started{number};
    return result;
}

RecordedBackend::Started* RecordedBackend::Find(const ChannelGrant& grant) {
    auto found = m_grants.find(KeyOf(grant));
    return found == m_grants.end() ? nullptr : &found->second;
}

SoundResult RecordedBackend::IsPlaying(const ChannelGrant& grant, bool* playing) {
    Started* play = Find(grant);
    const int frame = m_engine != nullptr ? m_engine->System_GetFrame() : 0;
    if (play != nullptr && m_replaying) {
        auto end = m_endFrames.find(play->number);
        *playing = end == m_endFrames.end() || frame < end->second;
        return SOUND_OK;
    }
    const SoundResult result = m_inner->IsPlaying(grant, playing);
    if (play != nullptr && !play->ended && m_engine != nullptr &&
        (result != SOUND_OK || !*playing)) {
        play->ended = true;
        InputEvent ended;
        ended.kind = InputEvent::Kind::Sound;
        ended.frame = frame;
        ended.play = play->number;
        ended.down = true;
        m_engine->System_RecordOutside(ended);
    }
    return result;
}

SoundResult RecordedBackend::Stop(const ChannelGrant& grant) {
    Started* play = Find(grant);
    if (play != nullptr && m_replaying) {
        // The recording says when the game saw it end; the output just stops.
        if (play->onOutput) {
            m_inner->Stop(grant);
        }
        return SOUND_OK;
    }
    return m_inner->Stop(grant);
}

SoundResult RecordedBackend::SetVolume(const ChannelGrant& grant, float volume) {
    Started* play = Find(grant);
    if (play != nullptr && m_replaying) {
        play->volume = volume;
        if (play->onOutput) {
            m_inner->SetVolume(grant, volume);
        }
        return SOUND_OK;
    }
    return m_inner->SetVolume(grant, volume);
}

SoundResult RecordedBackend::GetVolume(const ChannelGrant& grant, float* volume) {
    Started* play = Find(grant);
    if (play != nullptr && m_replaying) {
        *volume = play->volume;
        return SOUND_OK;
    }
    return m_inner->GetVolume(grant, volume);
}

SoundResult RecordedBackend::SetPaused(const ChannelGrant& grant, bool paused) {
    Started* play = Find(grant);
    if (play != nullptr && m_replaying) {
        return play->onOutput ? m_inner->SetPaused(grant, paused) : SOUND_OK;
    }
    return m_inner->SetPaused(grant, paused);
}
