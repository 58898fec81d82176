// A handle to one play of a sound on a channel. Copyable and cheap; an unset
// handle, or one whose channel has since been reused, reads as not playing.
#pragma once

#include "platform/sound/SoundBackend.h"

#include <memory>

class SoundChannel {
public:
    // playing is false whenever the result is not SOUND_OK.
    SoundResult IsPlaying(bool* playing) const;
    SoundResult Stop();
    // 0 silent to 1 full (held to that range); for this play only.
    SoundResult SetVolume(float volume);
    SoundResult GetVolume(float* volume) const;
    // Holds or resumes this play; a held play still reads as playing.
    SoundResult SetPaused(bool paused);
    bool IsSet() const { return m_grant.index >= 0; }

private:
    friend class SoundSystem;
    std::weak_ptr<SoundBackend> m_backend;
    ChannelGrant m_grant;
};
