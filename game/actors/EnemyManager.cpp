#include "game/actors/EnemyManager.h"

#include "game/core/GameClock.h"
#include "platform/registry/Registry.h"

EnemyManager& TheEnemyManager() {
    return Registry::Current().Get<EnemyManager>();
}

void EnemyManager::AddGroup(int remaining, float duration, float radius, float spawnInterval,
                            float rampInterval, float maxSpeedFactor) {
    auto group = std::make_unique<EnemyGroup>();
    const float now = TheGameClock().time;
    group->startTime = now;
    // The first enemy comes one interval after the group is made.
    group->lastSpawnTime = now;
    group->lastRampTime = now;
    group->spawnInterval = spawnInterval;
    group->rampInterval = rampInterval;
    group->maxSpeedFactor = maxSpeedFactor;
    group->spawnRadius = radius;
    group->remaining = remaining;
    group->duration = duration;
    if (remaining > 0) {
        group->mode = duration > 0 ? 1 : 2;
    } else if (duration > 0) {
        group->mode = 0;
    }
    m_groups.push_back(std::move(group));
}
