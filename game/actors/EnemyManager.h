// The enemies on the field and the groups that spawn them: groups spawn one
// enemy per interval on a ring around the player; enemies move, die, and
// hurt the player on contact. The player's death clears the field.
#pragma once

#include "game/actors/EnemyGroup.h"
#include "game/actors/enemies/Base_Enemy.h"

#include <memory>
#include <vector>

class EnemyManager {
public:
    EnemyManager() = default;
    // Enemies go before the groups they count themselves in.
    ~EnemyManager() { Clear(); }
    EnemyManager(const EnemyManager&) = delete;
    EnemyManager& operator=(const EnemyManager&) = delete;

    // A new group, starting now; its mode follows from the count and time.
    void AddGroup(int remaining, float duration, float radius, float spawnInterval,
                  float rampInterval, float maxSpeedFactor);
    // Joins the field at the end of the list; an enemy whose content is
    // missing is dropped instead.
    void AddEnemy(std::unique_ptr<Base_Enemy> enemy);

    // Every unpaused frame: groups spawn and leave when done and empty.
    void UpdateGroups();
    // Every unpaused frame, after the groups: movement, kills, contact.
    void UpdateEnemies();
    // In the HUD pass, in world coordinates, in list order.
    void RenderEnemies();

    // One enemy of the group, on its ring around the player.
    void SpawnEnemy(EnemyGroup& group);
    // Everything off the field (the player died).
    void Clear();

    const std::vector<std::unique_ptr<Base_Enemy>>& Enemies() const { return m_enemies; }
    const std::vector<std::unique_ptr<EnemyGroup>>& Groups() const { return m_groups; }
    // Enemies killed so far (removed with no health left), by kind 1-4.
    int Kills(int kind) const { return kind >= 1 && kind <= 4 ? m_kills[kind] : 0; }

private:
    // One group's step; true when it is to be removed.
    bool UpdateGroup(EnemyGroup& group);
    // True when the enemy spent itself on the player.
    bool Contact(Base_Enemy& enemy);

    std::vector<std::unique_ptr<Base_Enemy>> m_enemies;
    std::vector<std::unique_ptr<EnemyGroup>> m_groups;
    int m_kills[5] = {};
};

EnemyManager& TheEnemyManager();
