// Reader of resources/d_sound.xml: every dialogue sound, then the seven
// music tracks.
#pragma once

#include <string>

#include <tinyxml2.h>

class ContentReport;
class SoundRegistrar;

void ReadDialogueSounds(const tinyxml2::XMLDocument& document, const std::string& path,
                        SoundRegistrar& sounds, ContentReport& report);
// A file that cannot be loaded is reported and registers neither the
// dialogue sounds nor the music tracks; returns whether it loaded.
bool ReadDialogueSoundFile(const std::string& path, SoundRegistrar& sounds, ContentReport& report);
