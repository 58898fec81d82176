// The render function: the world pass in world coordinates, then the HUD
// pass on the screen, ending with alerts in world coordinates.
#include "game/actors/EnemyManager.h"
#include "game/actors/OrbDisplay.h"
#include "game/actors/Player.h"
#include "game/actors/PowerUpList.h"
#include "game/actors/SpellManager.h"
#include "game/core/Game.h"
#include "game/core/GameClock.h"
#include "game/core/ScreenEffects.h"
#include "game/ui/Book.h"
#include "game/ui/DialogueManager.h"
#include "game/ui/GameMenu.h"
#include "game/ui/HudBars.h"
#include "game/ui/Inventory.h"
#include "game/world/World.h"
#include "overlays/AlertList.h"
#include "platform/registry/Registry.h"
#include "toolkit/GuiQuestionBox.h"

namespace {

const char* const kCredits = "Duskmaw - a tale of four elements\n"
                             "Made by the Duskmaw team: code, art, music and voices\n"
                             "Fonts: DejaVu. Thank you for playing!";

} // namespace

bool Game::RenderFunc() {
    if (state != 2) {
        return false;
    }
    ScreenEffects& effects = TheScreenEffects();
    if (effects.effectsOn) {
        // The world goes through the render target so the effects can bend
        // it; the HUD stays sharp on top.
        engine->Gfx_BeginScene(renderTarget);
        engine->Gfx_Clear(0);
        WorldPass();
        engine->Gfx_EndScene();
        engine->Gfx_BeginScene(0);
        engine->Gfx_Clear(0);
        effects.Composite();
    } else {
        engine->Gfx_BeginScene(0);
        engine->Gfx_Clear(0);
        WorldPass();
    }
    HudPass();
    if (m_menu && m_menu->IsOpen() && hudFont) {
        engine->Gfx_SetTransform(0, 0, 0.1f, 0.1f, 0, 1, 1);
        m_menu->Render(*engine, *hudFont, settings);
        if (GameClock& clock = TheGameClock(); clock.cursor) {
            clock.cursor->RenderEx(mouseX, mouseY, 0, 1);
        }
    }
    if (m_box) {
        m_box->Render();
    }
    engine->Gfx_EndScene();
    return false;
}

void Game::WorldPass() {
    engine->Gfx_SetTransform(0, 0, -cameraX, -cameraY, 0, 1, 1);
    TheWorld().Draw(testMode, mouseX + cameraX, mouseY + cameraY);
    ThePlayer().Render(mouseX, mouseY);
    TheSpellManager().Render();
    TheScreenEffects().DrawWorldEffects();
    ThePowerUpList().Render();
}

void Game::HudPass() {
    GameClock& clock = TheGameClock();
    engine->Gfx_SetTransform(0, 0, 0.1f, 0.1f, 0, 1, 1);
    if (hudFont) {
        const int health = static_cast<int>(ThePlayer().health);
        const int activeEntities = TheWorld().ActiveEntityCount();
        hudFont->printf(5, 5, BitmapFont::kLeft,
                        "Duskmaw\ndt:%.3f\nFPS:%d\nHealth:%d\nScore:%d\nActive entity:%d\n",
                        static_cast<double>(clock.delta), currentFps, health / 10,
                        static_cast<int>(score), activeEntities);
        if (settings.healthBar) {
            // Under the six lines of text above.
            RenderHealthBar(*engine, *hudFont, 8, 5 + 6 * hudFont->GetHeight() + 6,
                            ThePlayer().health);
        }
        hudFont->Render(5, static_cast<float>(screenHeight - 80), BitmapFont::kLeft, kCredits);
        if (ThePlayer().health <= 0) {
            hudFont->Render(static_cast<float>(screenWidth / 2),
                            static_cast<float>(screenHeight / 2 - 100), BitmapFont::kCentre,
                            "You died\nPlease press L to start over..");
        }
        if (heldPause) {
            hudFont->Render(static_cast<float>(screenWidth / 2),
                            static_cast<float>(screenHeight / 2), BitmapFont::kCentre, "Paused");
        }
    }
    if (secondFont) {
        RenderOrbDisplay(*secondFont, screenWidth, screenHeight);
    }
    TheDialogueManager().Update(m_menuTookKey ? 0 : engine->Input_GetKey());
    Inventory& inventory = TheInventory();
    if (inventory.open) {
        inventory.Draw();
    }
    if (Book& book = TheBook(); book.open) {
        book.Draw();
    }
    if (clock.cursor) {
        clock.cursor->RenderEx(mouseX, mouseY, 0, 1);
    }
    engine->Gfx_SetTransform(0, 0, -cameraX, -cameraY, 0, 1, 1);
    Registry::Current().Get<AlertList>().Render();
    TheEnemyManager().RenderEnemies();
    if (settings.enemyBars) {
        RenderEnemyBars(*engine);
    }
    if (settings.enemyMarkers) {
        engine->Gfx_SetTransform(0, 0, 0.1f, 0.1f, 0, 1, 1);
        RenderEnemyMarkers(*engine, FindEnemyMarkers(cameraX, cameraY, screenWidth, screenHeight));
    }
}
