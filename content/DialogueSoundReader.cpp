#include "content/DialogueSoundReader.h"

#include "content/RecordReader.h"
#include "content/SoundRegistrar.h"
#include "content/XmlFile.h"

void ReadDialogueSounds(const tinyxml2::XMLDocument& document, const std::string& path,
                        SoundRegistrar& sounds, ContentReport& report) {
    ForEachRecord(document, "dialogue_sounds", "sound",
                  [&](const tinyxml2::XMLElement& record, int index) {
                      RecordCheck check(path, "sound", index, record, report);
                      std::string name = check.Required(record, "name");
                      std::string file = check.Required(record, "path");
                      if (check.Accept()) {
                          sounds.RegisterDialogueSound(name, file, record.GetLineNum());
                      }
                  });
    sounds.RegisterMusicTracks();
}

bool ReadDialogueSoundFile(const std::string& path, SoundRegistrar& sounds, ContentReport& report) {
    return ReadXmlFile(path, report, [&](const tinyxml2::XMLDocument& d) {
        ReadDialogueSounds(d, path, sounds, report);
    });
}
