#include "editor/PlacementLists.h"

#include <algorithm>

namespace {

// Removes the entries the predicate picks (it may take them first), keeping
// the order of the rest and the edges beside them; every entry is visited
// once.
template <typename Pick>
std::size_t RemoveWhere(PlacementLists::List& list, PlacementLists::EdgeColumns* edges,
                        Pick&& pick) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!pick(i)) {
            if (kept != i) {
                list[kept] = std::move(list[i]);
                if (edges) {
                    edges->Move(i, kept);
                }
            }
            ++kept;
        }
    }
    std::size_t removed = list.size() - kept;
    list.resize(kept);
    if (edges) {
        edges->Resize(kept);
    }
    return removed;
}

} // namespace

void PlacementLists::EdgeColumns::Set(std::size_t i, const CollisionBox& box) {
    left[i] = box.Left();
    top[i] = box.Top();
    right[i] = box.Right();
    bottom[i] = box.Bottom();
}

void PlacementLists::EdgeColumns::Add(const CollisionBox& box) {
    Resize(left.size() + 1);
    Set(left.size() - 1, box);
}

void PlacementLists::EdgeColumns::Move(std::size_t from, std::size_t to) {
    left[to] = left[from];
    top[to] = top[from];
    right[to] = right[from];
    bottom[to] = bottom[from];
}

void PlacementLists::EdgeColumns::Resize(std::size_t size) {
    left.resize(size);
    top.resize(size);
    right.resize(size);
    bottom.resize(size);
}

void PlacementLists::AddOffscreen(std::unique_ptr<Placement> placement) {
    m_edges.Add(placement->Box());
    m_offscreen.push_back(std::move(placement));
}

void PlacementLists::Clear() {
    m_visible.clear();
    m_offscreen.clear();
    m_edges.Resize(0);
}

void PlacementLists::Update(const CollisionBox& view) {
    // The box overlap test, inclusive on every side, for every off-screen
    // box at once; almost always nothing touches and the list stays.
    const std::size_t count = m_offscreen.size();
    m_touching.resize(count);
    const float viewLeft = view.Left(), viewTop = view.Top();
    const float viewRight = view.Right(), viewBottom = view.Bottom();
    const float* left = m_edges.left.data();
    const float* top = m_edges.top.data();
    const float* right = m_edges.right.data();
    const float* bottom = m_edges.bottom.data();
    unsigned char* touching = m_touching.data();
    unsigned char any = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char t = (viewTop <= bottom[i]) & (viewBottom >= top[i]) &
                                (viewLeft <= right[i]) & (viewRight >= left[i]);
        touching[i] = t;
        any |= t;
    }
    if (any) {
        RemoveWhere(m_offscreen, &m_edges, [&](std::size_t i) {
            if (m_touching[i]) {
                m_visible.push_back(std::move(m_offscreen[i]));
                return true;
            }
            return false;
        });
    }

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

bool PlacementLists::AnySelected() const {
    auto selected = [](const std::unique_ptr<Placement>& p) { return p->selected; };
    return std::any_of(m_visible.begin(), m_visible.end(), selected) ||
           std::any_of(m_offscreen.begin(), m_offscreen.end(), selected);
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
            m_edges.Set(i, p.Box());
        }
    }
}

int PlacementLists::DeleteSelected() {
    auto selected = [](const List& list) {
        return [&list](std::size_t i) { return list[i]->selected; };
    };
    std::size_t removed = RemoveWhere(m_visible, nullptr, selected(m_visible));
    removed += RemoveWhere(m_offscreen, &m_edges, selected(m_offscreen));
    return static_cast<int>(removed);
}
