// A wave: spawns its enemies one per interval around the player.
#pragma once

struct EnemyGroup {
    float lastSpawnTime = 0;
    float lastRampTime = 0;
    float startTime = 0;
    float spawnInterval = 1.0f;
    float rampInterval = 10.0f;
    float speedFactor = 1.0f;
    float maxSpeedFactor = 2.5f;
    float spawnRadius = 500.0f;
    // 0 ends by time, 1 by count or time, 2 by count; -1 is finished at
    // once (neither a count nor a time was given).
    int mode = -1;
    int maxAggrevators = 2;
    int maxMages = 1;
    int minions = 0;
    int aggrevators = 0;
    int mages = 0;
    int alive = 0;
    float duration = 0;
    int remaining = 0;
};
