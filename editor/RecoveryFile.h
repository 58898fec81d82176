// The copy of unsaved work the editor keeps beside the map, so a crash or a
// killed editor loses at most the last half minute. Written whole and
// renamed into place; gone once the work is saved or the user quits.
#pragma once

#include <cstdint>
#include <string>

class EditorDocument;
class EditorWorld;
class Engine;

class RecoveryFile {
public:
    static constexpr float kInterval = 30.0f;

    // "maps/map1.xml" keeps its work in "maps/map1.xml.recovery".
    static std::string PathFor(const std::string& map);
    // True when a recovery file exists for the map and is newer than it
    // (or the map is gone).
    static bool Offered(const std::string& map);

    // Once a frame: kInterval seconds after the first change not yet kept,
    // writes the map. mapPath: where the map lives (its file, or the one
    // the editor started on when the map has none yet).
    void Update(float now, const EditorDocument& document, const EditorWorld& world,
                const std::string& mapPath, Engine& engine);
    // A recovery file this editor restored from is its own from now on.
    void Adopt(const std::string& path) { m_written = path; }
    // Removes what this editor wrote (after a save, or when quitting).
    void Remove();
    const std::string& Written() const { return m_written; }

private:
    std::string m_written; // the file written, empty when none
    std::string m_failed;  // the path whose last write failed, already logged
    std::uint64_t m_writtenState = 0;
    float m_due = -1; // when the pending changes are written; < 0: none pending
};
