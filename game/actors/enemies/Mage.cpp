#include "game/actors/enemies/Mage.h"

#include "game/actors/EnemyGroup.h"
#include "game/actors/EnemyManager.h"
#include "game/actors/Player.h"
#include "game/actors/enemies/Aggrevator.h"
#include "game/actors/enemies/Littles.h"
#include "game/core/Game.h"
#include "game/core/GameClock.h"
#include "toolkit/ParticleSystem.h"

Mage::Mage(float x, float y, EnemyGroup* group)
    : Base_Enemy(x, y, group, kMage), waypointX(x), waypointY(y),
      waypointBox(&waypointX, &waypointY, 16, 16, -8, -8) {
    SetValues(0.5f, 16, 200, 25, 65, 75); // the damage is never dealt
    Finish("enemy_mage", "fx/mage.psi", &EnemyGroup::mages);
}

void Mage::Update() {
    ShiftForPause();
    GameClock& clock = TheGameClock();
    if (CollisionBox::Overlap(Box(), waypointBox)) {
        arrived = true;
        // Not moved by pauses: a waiting Mage may fire as the game resumes.
        if (clock.time > nextFireTime) {
            Game& game = *TheGame();
            const float cx = static_cast<float>(game.screenWidth / 2) + game.cameraX;
            const float cy = static_cast<float>(game.screenHeight / 2) + game.cameraY;
            static const float kCorners[4][2] = {
                {-300, -300}, {300, -300}, {300, 300}, {-300, 300}};
            waypointX = cx + kCorners[cornerPhase - 1][0];
            waypointY = cy + kCorners[cornerPhase - 1][1];
            cornerPhase = cornerPhase % 4 + 1;
            arrived = false;
            nextFireTime = clock.time + 3.0f;
            const Player& player = ThePlayer();
            const float a = AngleTo(player.x, player.y);
            EnemyManager& enemies = TheEnemyManager();
            for (float direction : {a, a + 10, a - 10}) {
                enemies.AddEnemy(std::make_unique<Littles>(x, y, group, direction));
            }
        }
    }
    if (!arrived) {
        facing = AngleTo(waypointX, waypointY);
        Move();
    }
    m_particles->Update(clock.delta);
}

bool Mage::IsFinished() {
    return Aggrevator::FinishedAfterAMinute(*this);
}
