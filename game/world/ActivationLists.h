// The active and inactive lists of one kind of placed thing (map entities
// or items). Inactive ones become active when their box touches the view;
// active ones go back when it leaves them, unless they are dynamic. Moving
// keeps the order of the others and appends to the end of the other list.
//
// Placed things never move, so the inactive list keeps each box's edges in
// one flat array: a map of thousands of entities is walked every frame
// without touching the entities themselves.
#pragma once

#include "toolkit/CollisionBox.h"

#include <memory>
#include <vector>

template <typename T> class ActivationLists {
public:
    void AddInactive(std::unique_ptr<T> object) {
        m_inactiveEdges.push_back(EdgesOf(object->Box()));
        m_inactive.push_back(std::move(object));
    }

    // The world's update steps 1 and 2 for this kind.
    template <typename IsDynamic> void Update(const CollisionBox& view, IsDynamic&& isDynamic) {
        const Edges viewEdges = EdgesOf(view);
        std::size_t kept = 0;
        for (std::size_t i = 0; i < m_inactive.size(); ++i) {
            if (Touch(m_inactiveEdges[i], viewEdges)) {
                m_active.push_back(std::move(m_inactive[i]));
            } else {
                if (kept != i) {
                    m_inactive[kept] = std::move(m_inactive[i]);
                    m_inactiveEdges[kept] = m_inactiveEdges[i];
                }
                ++kept;
            }
        }
        m_inactive.resize(kept);
        m_inactiveEdges.resize(kept);

        kept = 0;
        for (std::size_t i = 0; i < m_active.size(); ++i) {
            T& object = *m_active[i];
            if (!isDynamic(object) && !CollisionBox::Overlap(object.Box(), view)) {
                AddInactive(std::move(m_active[i]));
            } else {
                if (kept != i) {
                    m_active[kept] = std::move(m_active[i]);
                }
                ++kept;
            }
        }
        m_active.resize(kept);
    }

    // Takes an active one out of the lists (an item picked up).
    std::unique_ptr<T> ReleaseActive(std::size_t index) {
        std::unique_ptr<T> object = std::move(m_active[index]);
        m_active.erase(m_active.begin() + static_cast<std::ptrdiff_t>(index));
        return object;
    }

    const std::vector<std::unique_ptr<T>>& Active() const { return m_active; }
    const std::vector<std::unique_ptr<T>>& Inactive() const { return m_inactive; }

private:
    struct Edges {
        float left, top, right, bottom;
    };

    static Edges EdgesOf(const CollisionBox& box) {
        return {box.Left(), box.Top(), box.Right(), box.Bottom()};
    }
    // The box overlap test, inclusive on every side.
    static bool Touch(const Edges& a, const Edges& b) {
        return b.top <= a.bottom && b.bottom >= a.top && b.left <= a.right && b.right >= a.left;
    }

    std::vector<std::unique_ptr<T>> m_active;
    std::vector<std::unique_ptr<T>> m_inactive;
    std::vector<Edges> m_inactiveEdges; // parallel to m_inactive
};
