// soundgen TRACK OUT.wav: renders one of the game's music tracks as 16-bit
// stereo 44.1 kHz WAV. Same input, same bytes: tools/make-sounds relies on it.
#include "tools/soundgen/Mastering.h"
#include "tools/soundgen/Tracks.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: soundgen TRACK OUT.wav\ntracks: %s\n", soundgen::TrackNames());
        return 2;
    }
    soundgen::Mix mix;
    if (!soundgen::RenderTrack(argv[1], mix)) {
        std::fprintf(stderr, "soundgen: unknown track \"%s\"\n", argv[1]);
        return 2;
    }
    if (!soundgen::WriteWav(mix, argv[2])) {
        std::fprintf(stderr, "soundgen: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
