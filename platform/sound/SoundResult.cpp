#include "platform/sound/SoundResult.h"

const char* Sound_ErrorString(int result) {
    switch (result) {
    case SOUND_OK:
        return "No errors.";
    case SOUND_ERR_INVALID_PARAM:
        return "A parameter passed to the sound library is not valid.";
    case SOUND_ERR_FILE_NOT_FOUND:
        return "The sound file could not be found or opened.";
    case SOUND_ERR_FORMAT:
        return "The sound file is not in a format the library can play.";
    case SOUND_ERR_OUTPUT_INIT:
        return "The audio output device could not be opened.";
    case SOUND_ERR_INITIALIZED:
        return "The sound system has already been initialised.";
    case SOUND_ERR_UNINITIALIZED:
        return "The sound system has not been initialised.";
    case SOUND_ERR_INVALID_HANDLE:
        return "The channel or sound handle is unset or no longer valid.";
    case SOUND_ERR_CHANNEL_ALLOC:
        return "No free channel is left to play the sound on.";
    case SOUND_ERR_UNSUPPORTED:
        return "The sound library does not support this operation.";
    default:
        return "Unknown error.";
    }
}
