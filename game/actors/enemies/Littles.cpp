#include "game/actors/enemies/Littles.h"

#include "game/core/GameClock.h"
#include "toolkit/ParticleSystem.h"

Littles::Littles(float x, float y, EnemyGroup* group, float direction)
    : Base_Enemy(x, y, group, kLittles), direction(direction) {
    SetValues(0.5f, 16, 400, 25, 100, 125);
    Finish("sp_Fireball", "fx/projectile2.psi", nullptr);
}

void Littles::Update() {
    ShiftForPause();
    facing = direction;
    Move();
    m_particles->Update(TheGameClock().delta);
}

bool Littles::IsFinished() {
    return health <= 0 || TheGameClock().time > spawnTime + 60;
}
