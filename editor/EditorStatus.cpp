// What the status line says; each part of the editor adds its fragment here.
#include "editor/Editor.h"
#include "editor/EditorDocument.h"
#include "editor/EditorWorld.h"

#include <cmath>
#include <filesystem>

namespace {

std::string Count(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace

StatusLine Editor::Status() const {
    StatusLine line;
    const EditorWorld& world = TheEditorWorld();
    if (m_document) {
        const std::string& file = m_document->File();
        line.Add(file.empty() ? "new map" : std::filesystem::path(file).filename().string());
        if (m_document->Modified()) {
            line.Add("modified");
        }
    }
    line.Add("zoom " + std::to_string(std::lround(zoom * 100)) + "%");
    line.Add(Count(world.Entities().Size(), "entity", "entities") + ", " +
             Count(world.Items().Size(), "item", "items") + ", " +
             Count(world.Effects().Size(), "effect", "effects"));
    line.Add(std::to_string(world.SelectedCount()) + " selected");
    line.Add(world.groundLocked ? "ground locked (L)" : "ground unlocked (L)");
    if (const std::size_t missing = world.MissingCount()) {
        line.Add(Count(missing, "placement names", "placements name") +
                     " no definition (drawn as \"missing: NAME\")",
                 StatusLine::kWarning);
    }
    if (!m_recovery.Failure().empty()) {
        line.Add("recovery file cannot be written", StatusLine::kWarning);
    }
    for (std::string& part : InspectStatus()) {
        line.Add(std::move(part));
    }
    return line;
}
