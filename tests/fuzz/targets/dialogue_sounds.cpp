// The dialogue-sounds reader (resources/d_sound.xml) into a fresh sound
// manager per input. Its output only takes note of the files named: opening
// a device, or whatever file an input names, would be no part of the reader.
#include "tests/fuzz/support/FuzzScratch.h"

#include "game/audio/DialogueSoundReader.h"
#include "game/audio/SoundManager.h"
#include "platform/sound/SoundBackend.h"

#include <memory>

namespace {

class NamedSound : public Sound {
public:
    explicit NamedSound(const char* path) : Sound(path, false, 0.0) {}
};

class NoteTakingBackend : public SoundBackend {
public:
    SoundResult Open(int, std::string*) override { return SOUND_OK; }
    std::unique_ptr<Sound> Load(const char* path, SoundResult* result) override {
        *result = SOUND_ERR_FILE_NOT_FOUND;
        return std::make_unique<NamedSound>(path);
    }
    SoundResult Play(int, Sound&, ChannelGrant*) override { return SOUND_ERR_FORMAT; }
    SoundResult IsPlaying(const ChannelGrant&, bool* playing) override {
        *playing = false;
        return SOUND_ERR_INVALID_HANDLE;
    }
    SoundResult Stop(const ChannelGrant&) override { return SOUND_ERR_INVALID_HANDLE; }
    void StopAll() override {}
    void Update() override {}
    void Close() override {}
    const char* Name() const override { return "timed"; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScratchFiles files;
    const char* name = files.Write("in.xml", fuzz::AsText(data, size));
    SoundSystemSetup setup;
    setup.backend = std::make_shared<NoteTakingBackend>();
    SoundManager sounds(setup);
    if (ReadDialogueSounds(name, sounds, fuzz::TheEngine()))
        sounds.PlayDialogueSound("statue_1");
    return 0;
}
