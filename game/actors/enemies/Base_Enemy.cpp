#include "game/actors/enemies/Base_Enemy.h"

#include "game/actors/EnemyGroup.h"
#include "game/actors/Player.h"
#include "game/actors/enemies/EnemyResources.h"
#include "game/core/Game.h"
#include "game/core/GameClock.h"
#include "toolkit/ParticleSystem.h"

#include <cmath>

namespace {

constexpr float kDegreesPerRadian = 57.2957763671875f;
const char* const kElementNames[] = {"", "fire", "ice", "earth", "wind"};

} // namespace

Base_Enemy::Base_Enemy(float x, float y, EnemyGroup* group, int kind)
    : x(x), y(y), kind(kind), spawnTime(TheGameClock().time), group(group) {}

Base_Enemy::~Base_Enemy() {
    if (group && m_counter) {
        group->*m_counter -= 1;
    }
}

void Base_Enemy::RandomElement() {
    element = TheGame()->engine->Random_Int(1, 4);
    elementName = kElementNames[element];
}

void Base_Enemy::SetValues(float kindScale, float size, float kindSpeed, float kindHealth,
                           float kindDamageMin, float kindDamageMax) {
    scale = kindScale;
    width = height = size;
    speed = kindSpeed;
    health = maxHealth = kindHealth;
    damageMin = kindDamageMin;
    damageMax = kindDamageMax;
}

void Base_Enemy::Finish(const char* spriteName, const char* particleFile,
                        int EnemyGroup::*counter) {
    Game& game = *TheGame();
    EnemyResources& resources = TheEnemyResources();
    sprite = resources.GetSprite(game.resources.get(), *game.engine, spriteName);
    const ParticleSystemInfo* settings =
        sprite ? resources.ParticleSettings(*game.engine, particleFile) : nullptr;
    if (settings) {
        ParticleSystemInfo info = *settings;
        info.sprite = sprite;
        m_particles = std::make_unique<ParticleSystem>(info);
        m_particles->Fire();
    }
    m_box = std::make_unique<CollisionBox>(&x, &y, width, height, -width / 2, -height / 2);
    if (group && counter) {
        m_counter = counter;
        group->*m_counter += 1;
    }
}

void Base_Enemy::ShiftForPause() {
    const float pause = TheGame()->pauseDuration;
    if (pause != 0) {
        spawnTime += pause;
    }
}

float Base_Enemy::AngleTo(float px, float py) const {
    return 90.0f - std::atan2(px - x, py - y) * kDegreesPerRadian;
}

void Base_Enemy::Move() {
    const float dt = TheGameClock().delta;
    x += std::cos(facing / kDegreesPerRadian) * speed * dt;
    y += std::sin(facing / kDegreesPerRadian) * speed * dt;
    // Emitting afresh from here, without a trail behind.
    m_particles->FireAt(x, y);
}

void Base_Enemy::Update() {
    ShiftForPause();
    const Player& player = ThePlayer();
    targetX = player.x;
    targetY = player.y;
    facing = AngleTo(targetX, targetY);
    Move();
    m_particles->Update(TheGameClock().delta);
}

bool Base_Enemy::IsFinished() {
    return false;
}

void Base_Enemy::TakeHit(float damage, const std::string& damageType) {
    health -= damageType == elementName ? damage / 3 : damage;
    if (damageType == "ice") {
        speed *= 0.5f;
    }
    // Compounds with every hit; at no health the particles vanish.
    ParticleSystemInfo& info = m_particles->GetInfo();
    const float f = scale * (health / maxHealth);
    info.sizeStart *= f;
    info.sizeEnd *= f;
}

void Base_Enemy::Render() {
    m_particles->Render();
}
