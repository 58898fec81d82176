// The visible and off-screen placements of one kind. Off-screen ones move
// to the end of the visible list when their box touches the view; visible
// ones go back when it leaves them, unless they are dynamic.
//
// The off-screen list keeps each box's edges in flat columns, refreshed
// whenever a placement moves, so a map of tens of thousands of placements
// is tested against the view every frame in one branch-free sweep, without
// touching the placements themselves.
#pragma once

#include "editor/Placement.h"

#include <memory>
#include <vector>

class PlacementLists {
public:
    using List = std::vector<std::unique_ptr<Placement>>;

    void AddOffscreen(std::unique_ptr<Placement> placement);
    void Clear();

    // Moves placements between the lists against the view box.
    void Update(const CollisionBox& view);

    void DeselectOffscreen();
    void DeselectAll();
    bool AnySelected() const;
    // Every selected placement in both lists.
    void MoveSelected(float dx, float dy);
    // Returns how many went.
    int DeleteSelected();

    const List& Visible() const { return m_visible; }
    const List& Offscreen() const { return m_offscreen; }
    std::size_t Size() const { return m_visible.size() + m_offscreen.size(); }

    // The edges of the off-screen boxes, one column each, parallel to the
    // off-screen list.
    struct EdgeColumns {
        std::vector<float> left, top, right, bottom;
        void Set(std::size_t i, const CollisionBox& box);
        void Add(const CollisionBox& box);
        void Move(std::size_t from, std::size_t to);
        void Resize(std::size_t size);
    };

private:
    List m_visible;
    List m_offscreen;
    EdgeColumns m_edges;
    std::vector<unsigned char> m_touching; // the sweep's answers, kept to spare allocations
};
