// The map being edited as a document: the file it belongs to, whether it
// has changes not yet saved, and the undo and redo steps. Every change to
// the map goes through here: take a snapshot, change the world, commit.
#pragma once

#include "editor/MapSnapshot.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

class EditorDefinitions;
class EditorWorld;

class EditorDocument {
public:
    static constexpr std::size_t kMaxSteps = 500;

    EditorDocument(EditorWorld& world, const EditorDefinitions& definitions);

    // The map as it is now, to commit once it has changed.
    MapSnapshot Snapshot();
    // The map changed since `before`: an undo step, and redo is forgotten.
    void Commit(MapSnapshot before);
    // Another file was opened over `before`: undoing it brings back that
    // map and its file. The opened map counts as saved.
    void CommitOpen(MapSnapshot before, const std::string& file);
    // Kept work was loaded over `before` as one unsaved change, for the file
    // (empty: a map never saved).
    void CommitRecovered(MapSnapshot before, const std::string& file);
    // The next undo (or redo) puts another file's map on screen.
    bool NextStepChangesFile(bool redo) const;

    bool Undo();
    bool Redo();

    // The map now is what the file holds (start-up, a save).
    void MarkSaved(const std::string& file);

    const std::string& File() const { return m_file; }
    bool Modified() const { return m_state != m_savedState; }
    // Changes whenever the map does (also by undo), so a writer can tell
    // whether it has written this state already.
    std::uint64_t State() const { return m_state; }
    // The state last saved (or opened): changes with every save.
    std::uint64_t SavedState() const { return m_savedState; }
    std::size_t UndoDepth() const { return m_undo.size(); }
    std::size_t RedoDepth() const { return m_redo.size(); }
    // "map1.xml* - Duskmaw Map Editor"; "untitled" before the first save.
    std::string Title() const;
    // The file's name, "untitled" before the first save.
    std::string Name() const;

private:
    struct Step {
        MapSnapshot map;
        std::uint64_t state = 0;
        bool changesFile = false;
        std::string file;
        std::uint64_t savedState = 0; // of that file
    };
    static constexpr std::uint64_t kNeverSaved = ~std::uint64_t{0};
    void Push(std::deque<Step>& steps, Step step);
    // Undoes (or redoes) the newest step of `from`, keeping the map now in `to`.
    bool Travel(std::deque<Step>& from, std::deque<Step>& to);

    EditorWorld& m_world;
    const EditorDefinitions& m_definitions;
    NameTable m_names;
    std::deque<Step> m_undo;
    std::deque<Step> m_redo;
    std::string m_file;
    std::uint64_t m_state = 0;
    std::uint64_t m_savedState = 0;
    std::uint64_t m_nextState = 1;
};
