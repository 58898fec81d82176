#include "editor/PlacementClipboard.h"

#include "editor/EditorWorld.h"

#include <algorithm>
#include <limits>

std::size_t PlacementClipboard::Copy(const EditorWorld& world) {
    std::vector<Entry> entries;
    float left = std::numeric_limits<float>::max();
    float top = std::numeric_limits<float>::max();
    int kind = 0;
    for (const PlacementLists* lists : world.AllLists()) {
        for (const PlacementLists::List* list : {&lists->Visible(), &lists->Offscreen()}) {
            for (const auto& p : *list) {
                if (p->selected) {
                    entries.push_back({kind, p->name, p->x, p->y});
                    // What the group shows: the union of the boxes.
                    left = std::min(left, p->Box().Left());
                    top = std::min(top, p->Box().Top());
                }
            }
        }
        ++kind;
    }
    if (entries.empty()) {
        return 0;
    }
    for (Entry& e : entries) {
        e.x -= left;
        e.y -= top;
    }
    m_entries = std::move(entries);
    return m_entries.size();
}

bool PlacementClipboard::Paste(EditorWorld& world, float x, float y,
                               const EditorDefinitions& definitions) const {
    if (m_entries.empty()) {
        return false;
    }
    world.DeselectAll();
    for (const Entry& e : m_entries) {
        if (e.kind == 0) {
            world.AddEntity(e.name, x + e.x, y + e.y, definitions, true);
        } else if (e.kind == 1) {
            world.AddEffect(e.name, x + e.x, y + e.y, definitions, true);
        } else {
            world.AddItem(e.name, x + e.x, y + e.y, definitions, true);
        }
    }
    return true;
}
