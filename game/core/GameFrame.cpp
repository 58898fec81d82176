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
#include "game/ui/GameMenu.h"
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
    ReadGamepad(boxOpen);
    int key = boxOpen ? 0 : engine->Input_GetKey();
    Book& book = TheBook();
    Inventory& inventory = TheInventory();
    if (!HandleMenu(key)) {
        LogStatistics();
        return true;
    }
    const bool menuOpen = m_menu && m_menu->IsOpen();

    paused = book.open || inventory.open || heldPause || boxOpen || menuOpen;
    TheSpellManager().selected = SelectSpell();
    if (!boxOpen && !m_menuTookKey) {
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
        HoldSounds();
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

bool Game::HandleMenu(int& key) {
    m_menuTookKey = false;
    if (m_menu && m_menu->IsOpen()) {
        float x = 0;
        float y = 0;
        engine->Input_GetMousePos(&x, &y);
        const GameMenu::Outcome outcome = m_menu->Update(key, x, y, settings);
        m_menuTookKey = true;
        key = 0;
        switch (outcome.kind) {
        case GameMenu::Outcome::Kind::Quit:
            return false;
        case GameMenu::Outcome::Kind::Resume:
            HoldSounds();
            break;
        case GameMenu::Outcome::Kind::Changed:
            ApplySetting(outcome.key, outcome.value);
            break;
        case GameMenu::Outcome::Kind::None:
            break;
        }
        return true;
    }
    if (key != VK_ESCAPE) {
        return true;
    }
    key = 0;
    if (TheBook().open) {
        TheBook().Close();
    } else if (TheInventory().open) {
        TheInventory().open = false;
    } else if (m_menu) {
        // One key must not lose a run: Esc holds the game and asks.
        m_menu->Open();
        m_menuTookKey = true;
        HoldSounds();
    } else {
        return false; // no window to ask in
    }
    return true;
}

void Game::ReadGamepad(bool boxOpen) {
    const bool reading = TheBook().open || TheInventory().open;
    if (engine->Input_PadLost() && m_menu && !m_menu->IsOpen() && !boxOpen && !reading) {
        m_menu->Open();
        HoldSounds();
    }
    GamepadControls::Scene scene;
    scene.mode = m_menu && m_menu->IsOpen() ? GamepadControls::Mode::Menu
                 : reading                  ? GamepadControls::Mode::Pointer
                                            : GamepadControls::Mode::Play;
    scene.playerX = ThePlayer().x - cameraX;
    scene.playerY = ThePlayer().y - cameraY;
    scene.screenWidth = screenWidth;
    scene.screenHeight = screenHeight;
    scene.delta = engine->Timer_GetDelta();
    m_pad.Update(*engine, scene);
}

void Game::HoldSounds() {
    // The voice and the music hold with the game, and go on from there.
    TheSoundManager().SetPaused(heldPause || (m_menu && m_menu->IsOpen()));
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
