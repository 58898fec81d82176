#include "game/actors/enemies/Aggrevator.h"

#include "game/actors/EnemyGroup.h"
#include "game/core/Game.h"
#include "game/core/GameClock.h"
#include "toolkit/ParticleSystem.h"

Aggrevator::Aggrevator(float x, float y, EnemyGroup* group)
    : Base_Enemy(x, y, group, kAggrevator), waypointX(x), waypointY(y),
      waypointBox(&waypointX, &waypointY, 16, 16, -8, -8) {
    SetValues(0.5f, 16, 300, 25, 65, 75);
    Finish("enemy_aggrevator", "fx/aggrevator.psi", &EnemyGroup::aggrevators);
}

void Aggrevator::Update() {
    ShiftForPause();
    if (CollisionBox::Overlap(Box(), waypointBox)) {
        // A new point of the visible screen (the first update starts here).
        Game& game = *TheGame();
        waypointX = static_cast<float>(game.engine->Random_Int(0, game.screenWidth)) + game.cameraX;
        waypointY =
            static_cast<float>(game.engine->Random_Int(0, game.screenHeight)) + game.cameraY;
    }
    facing = AngleTo(waypointX, waypointY);
    Move();
    m_particles->Update(TheGameClock().delta);
}

bool Aggrevator::FinishedAfterAMinute(Base_Enemy& enemy) {
    if (enemy.health > 0 && TheGameClock().time <= enemy.spawnTime + 60) {
        return false;
    }
    if (enemy.health <= 0) {
        TheGame()->score += 1000;
    }
    return true;
}

bool Aggrevator::IsFinished() {
    return FinishedAfterAMinute(*this);
}
