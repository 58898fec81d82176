#include "editor/PlacementLists.h"

#include <algorithm>

namespace {

// Removes the entries the predicate picks (it may take them first), keeping
// the order of the rest and the edges beside them; every entry is visited
// once.
template <typename Pick>
std::size_t RemoveWhere(PlacementLists::List& list, std::vector<PlacementLists::Edges>* edges,
                        Pick&& pick) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!pick(i)) {
            if (kept != i) {
                list[kept] = std::move(list[i]);
                if (edges) {
                    (*edges)[kept] = (*edges)[i];
                }
            }
            ++kept;
        }
    }
    std::size_t removed = list.size() - kept;
    list.resize(kept);
    if (edges) {
        edges->resize(kept);
    }
    return removed;
}

} // namespace

void PlacementLists::AddOffscreen(std::unique_ptr<Placement> placement) {
    m_offscreenEdges.push_back(EdgesOf(placement->Box()));
    m_offscreen.push_back(std::move(placement));
}

void PlacementLists::Clear() {
    m_visible.clear();
    m_offscreen.clear();
    m_offscreenEdges.clear();
}

void PlacementLists::Update(const CollisionBox& view) {
    const Edges v = EdgesOf(view);
    RemoveWhere(m_offscreen, &m_offscreenEdges, [&](std::size_t i) {
        // The box overlap test, inclusive on every side.
        const Edges& e = m_offscreenEdges[i];
        if (v.top <= e.bottom && v.bottom >= e.top && v.left <= e.right && v.right >= e.left) {
            m_visible.push_back(std::move(m_offscreen[i]));
            return true;
        }
        return false;
    });

    std::vector<std::unique_ptr<Placement>> leaving;
    RemoveWhere(m_visible, nullptr, [&](std::size_t i) {
        Placement& p = *m_visible[i];
        if (p.Dynamic() || CollisionBox::Overlap(p.Box(), view)) {
            return false;
        }
        leaving.push_back(std::move(m_visible[i]));
        return true;
    });
    for (auto& placement : leaving) {
        AddOffscreen(std::move(placement));
    }
}

void PlacementLists::SelectInBox(const CollisionBox& box) {
    for (const auto& p : m_visible) {
        p->selected = CollisionBox::Overlap(p->Box(), box);
    }
}

void PlacementLists::SelectAt(float x, float y) {
    for (const auto& p : m_visible) {
        p->selected = p->Box().Contains(x, y);
    }
}

void PlacementLists::DeselectOffscreen() {
    for (const auto& p : m_offscreen) {
        p->selected = false;
    }
}

void PlacementLists::DeselectAll() {
    for (const auto& p : m_visible) {
        p->selected = false;
    }
    DeselectOffscreen();
}

void PlacementLists::MoveSelected(float dx, float dy) {
    for (const auto& p : m_visible) {
        if (p->selected) {
            p->x += dx;
            p->y += dy;
        }
    }
    for (std::size_t i = 0; i < m_offscreen.size(); ++i) {
        Placement& p = *m_offscreen[i];
        if (p.selected) {
            p.x += dx;
            p.y += dy;
            m_offscreenEdges[i] = EdgesOf(p.Box());
        }
    }
}

int PlacementLists::DeleteSelected() {
    auto selected = [](const List& list) {
        return [&list](std::size_t i) { return list[i]->selected; };
    };
    std::size_t removed = RemoveWhere(m_visible, nullptr, selected(m_visible));
    removed += RemoveWhere(m_offscreen, &m_offscreenEdges, selected(m_offscreen));
    return static_cast<int>(removed);
}
