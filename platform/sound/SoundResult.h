// Result codes of the sound library and the message text for each.
#pragma once

enum SoundResult {
    SOUND_OK = 0,
    SOUND_ERR_INVALID_PARAM,
    SOUND_ERR_FILE_NOT_FOUND,
    SOUND_ERR_FORMAT,
    SOUND_ERR_OUTPUT_INIT,
    SOUND_ERR_INITIALIZED,
    SOUND_ERR_UNINITIALIZED,
    SOUND_ERR_INVALID_HANDLE,
    SOUND_ERR_CHANNEL_ALLOC,
    SOUND_ERR_UNSUPPORTED,
};

// Flags and special values callers pass.
constexpr unsigned SOUND_INIT_NORMAL = 0;
constexpr unsigned SOUND_DEFAULT = 0;
constexpr int SOUND_CHANNEL_FREE = -1;

// The library's own text for a result code; "Unknown error." for a code it
// does not know, so a caller can always print it.
const char* Sound_ErrorString(int result);
