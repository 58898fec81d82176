// The visible and off-screen placements of one kind. Off-screen ones move
// to the end of the visible list when their box touches the view; visible
// ones go back when it leaves them, unless they are dynamic.
//
// The off-screen list keeps each box's edges in one flat array, refreshed
// whenever a placement moves, so a map of tens of thousands of placements
// is walked every frame without touching the placements themselves.
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

    // Visible placements touching the box become selected, the others
    // deselected; off-screen ones keep their flag.
    void SelectInBox(const CollisionBox& box);
    // Visible placements whose box strictly contains the point become
    // selected, the others deselected.
    void SelectAt(float x, float y);
    void DeselectOffscreen();
    void DeselectAll();
    // Every selected placement in both lists.
    void MoveSelected(float dx, float dy);
    // Returns how many went.
    int DeleteSelected();

    const List& Visible() const { return m_visible; }
    const List& Offscreen() const { return m_offscreen; }
    std::size_t Size() const { return m_visible.size() + m_offscreen.size(); }

    struct Edges {
        float left, top, right, bottom;
    };

private:
    static Edges EdgesOf(const CollisionBox& box) {
        return {box.Left(), box.Top(), box.Right(), box.Bottom()};
    }

    List m_visible;
    List m_offscreen;
    std::vector<Edges> m_offscreenEdges; // parallel to m_offscreen
};
