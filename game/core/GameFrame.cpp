// The frame function: keys, pause, the game's steps in their order, the
// clock, the mouse and the frame-rate statistics.
#include "game/actors/EnemyManager.h"
#include "game/actors/Player.h"
#include "game/actors/PowerUpList.h"
#include "game/actors/SpellManager.h"
#include "game/actors/SpellSelection.h"
#include "game/audio/SoundManager.h"
#include "game/core/Game.h"
#include "game/core/GameClock.h"
#include "game/core/ScreenEffects.h"
#include "game/ui/Book.h"
#include "game/ui/Inventory.h"
#include "game/world/MapWatch.h"
#include "game/world/World.h"
#include "overlays/AlertList.h"
#include "platform/registry/Registry.h"
#include "toolkit/GuiQuestionBox.h"

bool Game::FrameFunc() {
    actionsRun.clear();
    if (m_mapWatch) {
        m_mapWatch->Update();
    }
    // An open message box holds the game as a book does and takes the keys.
    const bool boxOpen = m_box && m_box->IsOpen();
    if (boxOpen) {
        m_box->Update();
    }
    const int key = boxOpen ? 0 : engine->Input_GetKey();
    Book& book = TheBook();
    Inventory& inventory = TheInventory();

    if (key == VK_ESCAPE) {
        if (book.open) {
            book.Close();
        } else if (inventory.open) {
            inventory.open = false;
        } else {
            LogStatistics();
            return true;
        }
    }

    paused = book.open || inventory.open || heldPause || boxOpen;
    TheSpellManager().selected = SelectSpell();
    if (!boxOpen) {
        HandleKeys();
    }

    if (!paused) {
        AdvanceUnpaused();
    } else {
        pauseDuration = TheGameClock().time - lastRunningTime;
    }
    if (inventory.open) {
        inventory.Update(key);
    }
    if (book.open) {
        book.Update(key);
    }

    TheGameClock().Update();
    engine->Input_GetMousePos(&mouseX, &mouseY);
    UpdateFpsStatistics();
    TheSoundManager().UpdateMusic();
    return false;
}

void Game::HandleKeys() {
    const int key = engine->Input_GetKey();
    if (key == 'P') {
        // Held until P comes again (a pause of one frame helps nobody).
        heldPause = !heldPause;
        paused = TheBook().open || TheInventory().open || heldPause;
        // The voice and the music hold with the game, and go on from there.
        TheSoundManager().SetPaused(heldPause);
    }
    if (key == 'V') {
        difficulty += 0.5f;
    }
    if (key == 'B' && difficulty > 1.0f) {
        difficulty -= 0.5f;
    }
    if (key == 'L' && ThePlayer().health <= 0) {
        difficulty = 1.0f;
        ThePlayer().health = 1000.0f;
        score = 0;
        TheSpellManager().ResetOrbs();
    }
    if (key == 'I') {
        TheInventory().open = !TheInventory().open;
    }
    if (key == 'M') {
        ScreenEffects& effects = TheScreenEffects();
        effects.Toggle();
        Registry::Current().Get<AlertList>().AddAlert(
            0xFFFFFFFF, effects.effectsOn ? "Effects toggled on" : "Effects toggled off",
            static_cast<float>(screenWidth - 10), static_cast<float>(screenHeight - 30), 0.01f, 1,
            true);
    }
}

void Game::AdvanceUnpaused() {
    lastRunningTime = TheGameClock().time;
    MovePlayer();
    SpellManager& spells = TheSpellManager();
    if (engine->Input_GetKey() == VK_RBUTTON) {
        const Player& player = ThePlayer();
        spells.Cast(player.x, player.y, player.facing, spells.selected);
    }
    spells.Update();
    Registry::Current().Get<AlertList>().Update();
    EnemyManager& enemies = TheEnemyManager();
    enemies.UpdateGroups();
    enemies.UpdateEnemies();
    ThePowerUpList().Update();
    ScreenEffects& effects = TheScreenEffects();
    effects.UpdateWorldEffects();
    if (effects.effectsOn) {
        effects.Step();
    }
    TheWorld().Update(*viewBox, TheGameClock().delta);
    if (!arrived) {
        // Once the world around the start is awake.
        arrived = true;
        ThePlayer().Arrive();
    }
    pauseDuration = 0;
}

void Game::MovePlayer() {
    // Each held key is a step of its own, so diagonals are faster and
    // opposite keys cancel (both steps still touch what they touch).
    static const struct {
        int key;
        int direction;
    } kSteps[] = {{'W', 270}, {'S', 90}, {'D', 0}, {'A', 180}};
    for (const auto& step : kSteps) {
        if (engine->Input_GetKeyState(step.key)) {
            ThePlayer().MoveStep(step.direction);
        }
    }
}

void Game::UpdateFpsStatistics() {
    const int fps = engine->Timer_GetFPS();
    if (averageFps == 0) {
        averageFps = fps;
    }
    currentFps = fps;
    averageFps = (averageFps + fps) / 2;
    if (worstFps == 0) {
        worstFps = fps;
    }
    if (bestFps == 0) {
        bestFps = fps;
    }
    if (currentFps < worstFps) {
        worstFps = currentFps;
    }
    if (bestFps < currentFps) {
        bestFps = currentFps;
    }
}

void Game::LogStatistics() {
    engine->System_Log("Best FPS:%d", bestFps);
    engine->System_Log("Worst FPS:%d", worstFps);
    engine->System_Log("Avarage FPS:%d", averageFps);
    engine->System_Log("Score:%f", static_cast<double>(score));
}
