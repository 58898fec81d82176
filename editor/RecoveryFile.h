// The copy of unsaved work the editor keeps, so a crash or a killed editor
// loses at most the last half minute: beside the map, or for a map never
// saved in the state folder. Written whole and renamed into place; it stays
// until the work is saved or the designer answers "Don't save".
#pragma once

#include <cstdint>
#include <string>

class EditorDocument;
class EditorWorld;
class Engine;

class RecoveryFile {
public:
    static constexpr float kInterval = 30.0f;

    // "maps/map1.xml" keeps its work in "maps/map1.xml.recovery"; a map
    // without a file (empty) in "untitled.xml.recovery" of the state folder
    // ($XDG_STATE_HOME/duskmaw/recovery, else ~/.local/state/duskmaw/recovery).
    static std::string PathFor(const std::string& map);
    // True when a recovery file exists for the map and is newer than it
    // (or the map is gone).
    static bool Offered(const std::string& map);

    // Once a frame: kInterval seconds after the first change not yet kept,
    // writes the map to the recovery file of the document's file.
    void Update(float now, const EditorDocument& document, const EditorWorld& world,
                Engine& engine);
    // Writes the modified map at once (the editor is being terminated).
    void WriteNow(const EditorDocument& document, const EditorWorld& world, Engine& engine);
    // A recovery file this editor restored from is its own from now on, and
    // stays when an undo goes back to the saved map (it holds the restored
    // work).
    void Adopt(const std::string& path) {
        m_written = path;
        m_adopted = true;
    }
    // Removes what this editor wrote or adopted (a save, "Don't save").
    void Remove();
    const std::string& Written() const { return m_written; }
    // Why the last write failed ("" when it did not), for the status line.
    const std::string& Failure() const { return m_failure; }

private:
    bool Write(const EditorDocument& document, const EditorWorld& world, Engine& engine);

    std::string m_written; // the file written, empty when none
    bool m_adopted = false;
    std::string m_failed;  // the path whose last write failed, already logged
    std::string m_failure; // what the status line says about it
    std::uint64_t m_writtenState = 0;
    float m_due = -1; // when the pending changes are written; < 0: none pending
};
