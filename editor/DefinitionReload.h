// Definitions that follow their files: about once a second the editor looks
// at the times of resources/entity.xml, items.xml and effects.xml, and when
// one changed it reads the definitions again, so a designer sees an edited
// definition without restarting.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class EditorDefinitions;
class EditorWorld;

class DefinitionReload {
public:
    static constexpr float kInterval = 1.0f; // seconds between looks

    DefinitionReload();
    // Notes the files as they are (start-up).
    void Start();
    // At most once an interval (time in seconds): true when a file changed
    // since the last look (written, replaced, removed or made).
    bool Poll(float time);

private:
    struct Seen {
        std::filesystem::file_time_type time;
        std::uintmax_t size = 0;
        bool exists = false;
        bool operator==(const Seen&) const = default;
    };
    std::vector<Seen> Look() const;

    std::vector<std::string> m_files;
    std::vector<Seen> m_seen;
    float m_lastLook = 0;
};

// Reads the definition files again (from the content folder). When they
// read, the store takes the new definitions and every placement is made
// again from its name, position and selection, so each shows its new look;
// one whose definition went becomes a placeholder. A file that cannot be
// read changes nothing: false with the reason (a file half written by an
// editor is read again at its next change).
bool ReloadDefinitions(EditorDefinitions& definitions, EditorWorld& world, std::string& error);
