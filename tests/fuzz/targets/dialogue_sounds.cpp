// The dialogue-sounds reader (resources/d_sound.xml), through the shared
// content code, into a registrar that only keeps the names it is given:
// opening the files an input names would be no part of the reader.
#include "tests/fuzz/support/FuzzScratch.h"

#include "content/ContentReport.h"
#include "content/DialogueSoundReader.h"
#include "content/SoundRegistrar.h"

#include <map>

namespace {

class NoteTakingSounds : public SoundRegistrar {
public:
    void RegisterDialogueSound(const std::string& name, const std::string& path, int) override {
        m_sounds[name] = path;
    }
    void RegisterMusicTracks() override { ++m_tracks; }

private:
    std::map<std::string, std::string> m_sounds;
    int m_tracks = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScratchFiles files;
    const char* name = files.Write("in.xml", fuzz::AsText(data, size));
    NoteTakingSounds sounds;
    EngineContentReport report(fuzz::TheEngine());
    ReadDialogueSoundFile(name, sounds, report);
    return 0;
}
