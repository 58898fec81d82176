#include "game/actors/EnemyManager.h"

#include "game/actors/Player.h"
#include "game/actors/enemies/Aggrevator.h"
#include "game/actors/enemies/Mage.h"
#include "game/actors/enemies/Minion_Soul.h"
#include "game/core/Game.h"
#include "game/core/GameClock.h"
#include "game/core/ScreenEffects.h"
#include "game/world/RunAction.h"
#include "overlays/AlertList.h"
#include "platform/registry/Registry.h"

#include <cmath>

namespace {

constexpr float kDegreesPerRadian = 57.2957763671875f;

template <typename T> void EraseAt(std::vector<T>& list, std::size_t index) {
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
}

} // namespace

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

void EnemyManager::AddEnemy(std::unique_ptr<Base_Enemy> enemy) {
    if (enemy->IsUsable()) {
        m_enemies.push_back(std::move(enemy));
    }
}

void EnemyManager::SpawnEnemy(EnemyGroup& group) {
    Engine& engine = *TheGame()->engine;
    const Player& player = ThePlayer();
    const float a = static_cast<float>(engine.Random_Int(0, 360)) / kDegreesPerRadian;
    const float x = player.x + group.spawnRadius * std::cos(a);
    const float y = player.y + group.spawnRadius * std::sin(a);
    if (engine.Random_Int(1, 4) == 1 && group.aggrevators < group.maxAggrevators) {
        AddEnemy(std::make_unique<Aggrevator>(x, y, &group));
    } else if (engine.Random_Int(1, 2) == 1 && group.mages < group.maxMages) {
        AddEnemy(std::make_unique<Mage>(x, y, &group));
    } else {
        AddEnemy(std::make_unique<Minion_Soul>(x, y, &group));
    }
}

bool EnemyManager::UpdateGroup(EnemyGroup& group) {
    group.alive = group.minions + group.aggrevators + group.mages;
    const float pause = TheGame()->pauseDuration;
    if (pause != 0) {
        group.startTime += pause;
    }
    const float now = TheGameClock().time;
    bool finished = true; // also a group given neither a count nor a time
    switch (group.mode) {
    case 0:
        finished = now > group.startTime + group.duration;
        break;
    case 1:
        finished = group.remaining < 1 || now > group.startTime + group.duration;
        break;
    case 2:
        finished = group.remaining < 1;
        break;
    }
    if (!finished && now > group.lastSpawnTime + group.spawnInterval) {
        SpawnEnemy(group);
        group.remaining -= 1;
        group.lastSpawnTime = now;
    }
    if (!finished && now > group.lastRampTime + group.rampInterval) {
        if (group.speedFactor + 0.2f <= group.maxSpeedFactor) {
            group.speedFactor += 0.2f;
        }
        group.lastRampTime = now;
    }
    // The count of before this update's spawn.
    return finished && group.alive == 0;
}

void EnemyManager::UpdateGroups() {
    for (std::size_t i = 0; i < m_groups.size();) {
        if (UpdateGroup(*m_groups[i])) {
            EraseAt(m_groups, i);
        } else {
            ++i;
        }
    }
    if (ThePlayer().IsDead() && !m_groups.empty()) {
        Clear();
    }
}

void EnemyManager::Clear() {
    // Enemies first: they give their counts back to their groups.
    m_enemies.clear();
    m_groups.clear();
}

bool EnemyManager::Contact(Base_Enemy& enemy) {
    Game& game = *TheGame();
    Player& player = ThePlayer();
    if (enemy.kind == kMinionSoul || enemy.kind == kLittles) {
        // Weakened enemies hit softer.
        const float r = enemy.health / enemy.maxHealth;
        const int d = game.engine->Random_Int(static_cast<int>(enemy.damageMin * r),
                                              static_cast<int>(enemy.damageMax * r));
        ScreenEffects& effects = TheScreenEffects();
        effects.mode = 2;
        effects.shaderIndex = 1;
        effects.ShaderPulse(0.5f);
        Registry::Current().Get<AlertList>().AddAlert(0xFFFF0000,
                                                      std::to_string(d / 10) + " damage taken!",
                                                      player.x, player.y - 32, 0.01f, 2, false);
        player.health -= static_cast<float>(d);
        return true;
    }
    if (enemy.kind == kAggrevator) {
        const int d = game.engine->Random_Int(static_cast<int>(enemy.damageMin),
                                              static_cast<int>(enemy.damageMax));
        RunAction(game, "aggdmg_" + std::to_string(d), 0.5f);
    }
    return false;
}

void EnemyManager::UpdateEnemies() {
    // By index: a Mage's update appends its fireballs, which then take their
    // first step in this same pass.
    for (std::size_t i = 0; i < m_enemies.size();) {
        Base_Enemy& enemy = *m_enemies[i];
        enemy.Update();
        const bool finished = enemy.IsFinished();
        if (finished && enemy.health <= 0 && enemy.kind >= 1 && enemy.kind <= 4) {
            ++m_kills[enemy.kind];
        }
        if (finished || (CollisionBox::Overlap(enemy.Box(), ThePlayer().Box()) && Contact(enemy))) {
            EraseAt(m_enemies, i);
        } else {
            ++i;
        }
    }
}

void EnemyManager::RenderEnemies() {
    for (const auto& enemy : m_enemies) {
        enemy->Render();
    }
}
