// What reading resources/d_sound.xml hands its sounds to: the game's sound
// manager (content sits below the game, so it only knows this interface).
#pragma once

#include <string>

class SoundRegistrar {
public:
    virtual ~SoundRegistrar() = default;
    // line: of the record in d_sound.xml (0 when not read from a file).
    virtual void RegisterDialogueSound(const std::string& name, const std::string& path,
                                       int line) = 0;
    // The seven fixed music tracks, after the dialogue sounds.
    virtual void RegisterMusicTracks() = 0;
};
