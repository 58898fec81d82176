// A rectangle that follows its owner: it keeps pointers to the owner's x and
// y, so moving the owner moves the box with no update step. Used for every
// collision, pickup, hit and mouse-over test, and as the camera's view.
#pragma once

class CollisionBox {
public:
    CollisionBox(const float* xSource, const float* ySource, float width, float height,
                 float offsetX = 0, float offsetY = 0);
    // A copy would still point at the first owner's position; owners make
    // their own boxes instead.
    CollisionBox(const CollisionBox&) = delete;
    CollisionBox& operator=(const CollisionBox&) = delete;

    float Left() const { return *m_xSource + m_offsetX; }
    float Top() const { return *m_ySource + m_offsetY; }
    float Right() const { return Left() + m_width; }
    float Bottom() const { return Top() + m_height; }
    float Width() const { return m_width; }
    float Height() const { return m_height; }
    float OffsetX() const { return m_offsetX; }
    float OffsetY() const { return m_offsetY; }
    void SetSize(float width, float height);
    void SetOffset(float offsetX, float offsetY);

    // Touching edges and corners count as overlapping.
    static bool Overlap(const CollisionBox& a, const CollisionBox& b);
    // Strictly inside: a point on an edge is outside.
    bool Contains(float px, float py) const;
    // Four white lines in the current transform.
    void DrawOutline() const;

private:
    const float* m_xSource;
    const float* m_ySource;
    float m_width;
    float m_height;
    float m_offsetX;
    float m_offsetY;
};

// Base of every object that hands out pointers to its own fields (boxes
// bound to its position): it can be neither copied nor moved, so those
// pointers never dangle.
class Pinned {
public:
    Pinned() = default;
    Pinned(const Pinned&) = delete;
    Pinned& operator=(const Pinned&) = delete;
    Pinned(Pinned&&) = delete;
    Pinned& operator=(Pinned&&) = delete;

protected:
    ~Pinned() = default;
};
