#include "game/actors/EnemyBroadPhase.h"

#include "game/actors/enemies/Base_Enemy.h"
#include "toolkit/CollisionBox.h"

#include <algorithm>
#include <cmath>

void EnemyBroadPhase::Build(const std::vector<std::unique_ptr<Base_Enemy>>& enemies) {
    m_byLeft.clear();
    m_widest = 0;
    for (std::size_t i = 0; i < enemies.size(); ++i) {
        const CollisionBox& box = enemies[i]->Box();
        const Entry entry{box.Left(), box.Top(), box.Right(), box.Bottom(), static_cast<int>(i)};
        // An edge that is not a number overlaps nothing, and would break
        // the ordering.
        if (std::isnan(entry.left) || std::isnan(entry.top) || std::isnan(entry.right) ||
            std::isnan(entry.bottom)) {
            continue;
        }
        m_widest = std::max(m_widest, entry.right - entry.left);
        m_byLeft.push_back(entry);
    }
    std::sort(m_byLeft.begin(), m_byLeft.end(),
              [](const Entry& a, const Entry& b) { return a.left < b.left; });
}

void EnemyBroadPhase::Overlapping(const CollisionBox& box, std::vector<int>& indices) const {
    indices.clear();
    const float left = box.Left(), top = box.Top(), right = box.Right(), bottom = box.Bottom();
    // No box reaching the left edge starts further left than the widest box
    // (a pixel of slack covers the rounding of right = left + width).
    const float from = left - m_widest - 1.0f;
    auto it = std::lower_bound(m_byLeft.begin(), m_byLeft.end(), from,
                               [](const Entry& e, float value) { return e.left < value; });
    if (std::isnan(from)) {
        it = m_byLeft.begin();
    }
    for (; it != m_byLeft.end() && !(it->left > right); ++it) {
        if (it->top <= bottom && it->bottom >= top && it->left <= right && it->right >= left) {
            indices.push_back(it->index);
        }
    }
    // Hits are dealt in list order, as the damage rolls are drawn in turn.
    std::sort(indices.begin(), indices.end());
}
