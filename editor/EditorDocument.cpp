#include "editor/EditorDocument.h"

#include <filesystem>

EditorDocument::EditorDocument(EditorWorld& world, const EditorDefinitions& definitions)
    : m_world(world), m_definitions(definitions) {}

MapSnapshot EditorDocument::Snapshot() {
    return TakeSnapshot(m_world, m_names);
}

void EditorDocument::Push(std::deque<Step>& steps, Step step) {
    steps.push_back(std::move(step));
    while (steps.size() > kMaxSteps) {
        steps.pop_front();
    }
}

void EditorDocument::Commit(MapSnapshot before) {
    Push(m_undo, Step{std::move(before), m_state, false, {}, 0});
    m_redo.clear();
    m_state = m_nextState++;
}

void EditorDocument::CommitOpen(MapSnapshot before, const std::string& file) {
    Push(m_undo, Step{std::move(before), m_state, true, m_file, m_savedState});
    m_redo.clear();
    m_state = m_nextState++;
    m_file = file;
    m_savedState = m_state;
}

void EditorDocument::CommitRecovered(MapSnapshot before, const std::string& file) {
    if (file == m_file) {
        Commit(std::move(before));
        return;
    }
    CommitOpen(std::move(before), file);
    m_savedState = kNeverSaved;
}

bool EditorDocument::NextStepChangesFile(bool redo) const {
    const std::deque<Step>& steps = redo ? m_redo : m_undo;
    return !steps.empty() && steps.back().changesFile;
}

bool EditorDocument::Travel(std::deque<Step>& from, std::deque<Step>& to) {
    if (from.empty()) {
        return false;
    }
    Step step = std::move(from.back());
    from.pop_back();
    Push(to, Step{Snapshot(), m_state, step.changesFile, m_file, m_savedState});
    RestoreSnapshot(m_world, step.map, m_names, m_definitions);
    m_state = step.state;
    if (step.changesFile) {
        m_file = step.file;
        m_savedState = step.savedState;
    }
    return true;
}

bool EditorDocument::Undo() {
    return Travel(m_undo, m_redo);
}

bool EditorDocument::Redo() {
    return Travel(m_redo, m_undo);
}

void EditorDocument::MarkSaved(const std::string& file) {
    m_file = file;
    m_savedState = m_state;
}

std::string EditorDocument::Name() const {
    return m_file.empty() ? "untitled" : std::filesystem::path(m_file).filename().string();
}

std::string EditorDocument::Title() const {
    return Name() + (Modified() ? "*" : "") + " - Duskmaw Map Editor";
}
