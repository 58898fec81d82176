// The enemies on the field and the groups that spawn them.
#pragma once

#include "game/actors/EnemyGroup.h"

#include <memory>
#include <vector>

class EnemyManager {
public:
    // A new group, starting now; its mode follows from the count and time.
    void AddGroup(int remaining, float duration, float radius, float spawnInterval,
                  float rampInterval, float maxSpeedFactor);

    const std::vector<std::unique_ptr<EnemyGroup>>& Groups() const { return m_groups; }

private:
    std::vector<std::unique_ptr<EnemyGroup>> m_groups;
};

EnemyManager& TheEnemyManager();
