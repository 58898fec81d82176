#include "game/audio/DialogueSoundReader.h"

#include "game/audio/SoundManager.h"
#include "platform/engine/Engine.h"

#include <tinyxml2.h>

#include <string>

bool ReadDialogueSounds(const char* path, SoundManager& sounds, Engine& engine) {
    tinyxml2::XMLDocument document;
    if (document.LoadFile(path) != tinyxml2::XML_SUCCESS) {
        std::string text =
            std::string("The parser cannot load the XML document, located at: ") + path;
        engine.System_MessageBox("Error", text.c_str(), true);
        return false;
    }
    if (const tinyxml2::XMLElement* root = document.FirstChildElement("dialogue_sounds")) {
        for (const tinyxml2::XMLElement* sound = root->FirstChildElement("sound"); sound != nullptr;
             sound = sound->NextSiblingElement("sound")) {
            const char* name = sound->Attribute("name");
            const char* file = sound->Attribute("path");
            // Both are required; a record without them names nothing to play.
            if (name != nullptr && file != nullptr) {
                sounds.RegisterDialogueSound(name, file);
            }
        }
    }
    sounds.RegisterMusicTracks();
    return true;
}
