// Definitions that follow their files: the editor watches
// resources/entity.xml, items.xml and effects.xml and, at most once a
// second, reads the definitions again when one changed, so a designer sees
// an edited definition without restarting.
#pragma once

#include "platform/engine/FileWatch.h"

#include <memory>
#include <string>
#include <vector>

class EditorDefinitions;
class EditorWorld;

class DefinitionReload {
public:
    static constexpr float kInterval = 1.0f; // seconds between looks

    // Starts watching the files as they are (start-up).
    void Start();
    // At most once an interval (time in seconds): true when a file changed
    // since the last look (written, replaced, removed or made).
    bool Poll(float time);

private:
    std::vector<std::unique_ptr<FileWatch>> m_watches;
    float m_lastLook = 0;
};

// Reads the definition files again (from the content folder). When they
// read, the store takes the new definitions and every placement is made
// again from its name, position and selection, so each shows its new look;
// one whose definition went becomes a placeholder. A file that cannot be
// read changes nothing: false with the reason (a file half written by an
// editor is read again at its next change).
bool ReloadDefinitions(EditorDefinitions& definitions, EditorWorld& world, std::string& error);
