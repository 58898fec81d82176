// The enemies' boxes as they stand at the start of the spells' update,
// ordered by their left edge, so each spell tests only the few enemies near
// it instead of the whole list. Hits never move an enemy or resize its box,
// so the picture stays true while the spells resolve.
#pragma once

#include <memory>
#include <vector>

class Base_Enemy;
class CollisionBox;

class EnemyBroadPhase {
public:
    void Build(const std::vector<std::unique_ptr<Base_Enemy>>& enemies);
    // The list indices, ascending, of the enemies whose boxes overlap the
    // box by the same test as CollisionBox::Overlap.
    void Overlapping(const CollisionBox& box, std::vector<int>& indices) const;

private:
    struct Entry {
        float left, top, right, bottom;
        int index;
    };
    std::vector<Entry> m_byLeft;
    float m_widest = 0;
};
