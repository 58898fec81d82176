// What a click, a band, Ctrl+A and a move do to the placements: the
// selection half of EditorWorld.
#include "editor/EditorWorld.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool Locked(const EditorWorld& world, const PlacementLists& lists, const Placement& p) {
    return world.groundLocked && &lists == &world.Entities() && p.Layer() < 0;
}

} // namespace

void EditorWorld::SelectInBox(const CollisionBox& box) {
    for (PlacementLists* lists : AllLists()) {
        for (const auto& p : lists->Visible()) {
            p->selected = !Locked(*this, *lists, *p) && CollisionBox::Overlap(p->Box(), box);
        }
    }
}

Placement* EditorWorld::TopmostAt(float x, float y) const {
    // Drawn last is on top: items, then effects, each the last in its list.
    for (const PlacementLists* lists : {&m_items, &m_effects}) {
        const PlacementLists::List& visible = lists->Visible();
        for (auto p = visible.rbegin(); p != visible.rend(); ++p) {
            if ((*p)->Box().Contains(x, y)) {
                return p->get();
            }
        }
    }
    // Entities are drawn by layer, list order within one.
    Placement* top = nullptr;
    for (const auto& p : m_entities.Visible()) {
        if (!Locked(*this, m_entities, *p) && p->Box().Contains(x, y) &&
            (!top || p->Layer() >= top->Layer())) {
            top = p.get();
        }
    }
    return top;
}

void EditorWorld::PickAt(float x, float y, bool toggle) {
    Placement* top = TopmostAt(x, y);
    if (toggle) {
        if (top) {
            top->selected = !top->selected;
        }
        return;
    }
    DeselectAll();
    if (top) {
        top->selected = true;
    }
}

void EditorWorld::SelectAll() {
    ForEach([this](const PlacementLists& lists, Placement& p) {
        p.selected = !Locked(*this, lists, p);
    });
}

std::size_t EditorWorld::SelectedCount() const {
    std::size_t count = 0;
    ForEach([&count](const PlacementLists&, const Placement& p) { count += p.selected ? 1 : 0; });
    return count;
}

void EditorWorld::MoveSelected(float dx, float dy) {
    // A nudge at the edge of the float range stops there: a coordinate
    // that ran off to infinity could never be saved or moved back.
    static constexpr float kMax = std::numeric_limits<float>::max();
    auto limit = [](float from, float d) {
        const float to = from + d;
        return std::isfinite(to) ? to - from : std::clamp(to, -kMax, kMax) - from;
    };
    float safeX = dx;
    float safeY = dy;
    ForEach([&](const PlacementLists&, const Placement& p) {
        if (p.selected) {
            safeX = std::abs(limit(p.x, dx)) < std::abs(safeX) ? limit(p.x, dx) : safeX;
            safeY = std::abs(limit(p.y, dy)) < std::abs(safeY) ? limit(p.y, dy) : safeY;
        }
    });
    for (PlacementLists* lists : AllLists()) {
        lists->MoveSelected(safeX, safeY);
    }
}
