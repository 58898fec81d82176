// The dialogue-sounds reader (resources/d_sound.xml) into a sound manager
// on the timed output, one fresh manager per input.
#include "tests/fuzz/support/FuzzScratch.h"

#include "game/audio/DialogueSoundReader.h"
#include "game/audio/SoundManager.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScratchFiles files;
    const char* name = files.Write("in.xml", fuzz::AsText(data, size));
    SoundSystemSetup setup;
    setup.output = SoundOutput::Timed;
    setup.clock = [] { return 0.0; };
    SoundManager sounds(setup);
    if (ReadDialogueSounds(name, sounds, fuzz::TheEngine()))
        sounds.PlayDialogueSound("statue_1");
    return 0;
}
