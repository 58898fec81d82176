#include "game/core/GameTrace.h"

#include "content/ItemDefinition.h"
#include "game/actors/EnemyManager.h"
#include "game/actors/Player.h"
#include "game/actors/PowerUpList.h"
#include "game/actors/SpellManager.h"
#include "game/audio/SoundManager.h"
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
#include "overlays/AlertTrace.h"
#include "platform/registry/Registry.h"
#include "toolkit/JsonText.h"

#include <sstream>

namespace {

const char* Bool(bool value) {
    return value ? "true" : "false";
}

} // namespace

GameTrace::GameTrace(const std::string& path) : m_file(path) {}

void GameTrace::Write(const Game& game) {
    if (!m_file.IsOpen()) {
        return;
    }
    const GameClock& clock = TheGameClock();
    const Player& player = ThePlayer();
    const Book& book = TheBook();
    const DialogueManager& dialogues = TheDialogueManager();
    const SpellManager& spells = TheSpellManager();
    const SoundManager& sounds = TheSoundManager();
    const World& world = TheWorld();
    std::ostringstream o;
    o.precision(9);
    o << "{\"frame\":" << game.engine->System_GetFrame() << ",\"time\":" << clock.time
      << ",\"dt\":" << clock.delta << ",\"slow\":" << clock.slowFactor
      << ",\"paused\":" << Bool(game.paused) << ",\"pause_duration\":" << game.pauseDuration
      << ",\"difficulty\":" << game.difficulty << ",\"test_mode\":" << Bool(game.testMode)
      << ",\"score\":" << game.score << ",\"camera\":[" << game.cameraX << "," << game.cameraY
      << "],\"mouse\":[" << game.mouseX << "," << game.mouseY
      << "],\"fps\":{\"current\":" << game.currentFps << ",\"worst\":" << game.worstFps
      << ",\"best\":" << game.bestFps << ",\"average\":" << game.averageFps
      << "},\"select\":{\"fire\":" << Bool(clock.fire) << ",\"ice\":" << Bool(clock.ice)
      << ",\"earth\":" << Bool(clock.earth) << ",\"wind\":" << Bool(clock.wind)
      << ",\"it\":" << Bool(clock.it) << "},\"flash\":" << clock.flashAlpha
      << ",\"effects_on\":" << Bool(TheScreenEffects().effectsOn)
      << ",\"alerts\":" << AlertsJson(Registry::Current().Get<AlertList>())
      << ",\"player\":{\"x\":" << player.x << ",\"y\":" << player.y
      << ",\"facing\":" << player.facing << ",\"health\":" << player.health << "},\"orbs\":["
      << spells.fire << "," << spells.ice << "," << spells.earth << "," << spells.wind
      << "],\"spell_index\":" << spells.selected << ",\"spells\":";
    JsonArray(o, spells.Instances(), [](std::ostream& out, const auto& spell) {
        out << "{\"x\":" << spell->X() << ",\"y\":" << spell->Y() << ",\"angle\":" << spell->Angle()
            << ",\"kind\":" << spell->Definition().kind << "}";
    });
    o << ",\"inventory\":{\"open\":" << Bool(TheInventory().open) << ",\"items\":";
    JsonArray(o, TheInventory().Items(), [](std::ostream& out, const auto& item) {
        out << "{\"name\":" << JsonString(item->Definition().name) << ",\"cell\":" << item->cell
            << "}";
    });
    o << "},\"powerups\":";
    JsonArray(o, ThePowerUpList().PowerUps(), [](std::ostream& out, const auto& powerUp) {
        out << "{\"x\":" << powerUp->x << ",\"y\":" << powerUp->y
            << ",\"action\":" << JsonString(powerUp->Action()) << "}";
    });
    o << ",\"enemies\":";
    JsonArray(o, TheEnemyManager().Enemies(), [](std::ostream& out, const auto& enemy) {
        out << "{\"kind\":" << enemy->kind << ",\"x\":" << enemy->x << ",\"y\":" << enemy->y
            << ",\"health\":" << enemy->health << ",\"speed\":" << enemy->speed
            << ",\"element\":" << enemy->element << "}";
    });
    const EnemyManager& enemies = TheEnemyManager();
    o << ",\"kills\":{\"aggrevators\":" << enemies.Kills(kAggrevator)
      << ",\"minions\":" << enemies.Kills(kMinionSoul) << ",\"mages\":" << enemies.Kills(kMage)
      << ",\"fireballs\":" << enemies.Kills(kLittles) << "}";
    o << ",\"groups\":";
    JsonArray(o, TheEnemyManager().Groups(), [](std::ostream& out, const auto& group) {
        out << "{\"remaining\":" << group->remaining << ",\"alive\":" << group->alive
            << ",\"speed_factor\":" << group->speedFactor << ",\"minions\":" << group->minions
            << ",\"aggrevators\":" << group->aggrevators << ",\"mages\":" << group->mages << "}";
    });
    o << ",\"book\":{\"open\":" << Bool(book.open) << ",\"name\":" << JsonString(book.name)
      << ",\"page\":" << book.page << "},\"dialogue\":{\"main\":" << dialogues.Main()
      << ",\"branch\":" << dialogues.Branch() << ",\"line\":" << dialogues.Line()
      << ",\"active\":" << Bool(dialogues.IsActive())
      << ",\"text\":" << JsonString(dialogues.ShownText())
      << "},\"held_pause\":" << Bool(game.heldPause)
      << ",\"world\":{\"map\":" << JsonString(world.MapName())
      << ",\"active_entities\":" << world.ActiveEntities().size()
      << ",\"inactive_entities\":" << world.InactiveEntityCount()
      << ",\"active_items\":" << world.ActiveItems().size()
      << ",\"inactive_items\":" << world.InactiveItemCount()
      << "},\"world_effects\":" << TheScreenEffects().WorldEffectCount()
      << ",\"effects_mode\":" << TheScreenEffects().mode
      << ",\"music\":{\"state\":" << JsonString(sounds.GetMusicState())
      << ",\"intro_done\":" << Bool(sounds.IsIntroDone())
      << ",\"playing\":" << Bool(sounds.IsMusicPlaying()) << ",\"volume\":" << sounds.MusicVolume()
      << "},\"voice_volume\":" << sounds.VoiceVolume()
      << ",\"hit_effects\":" << Bool(TheScreenEffects().hitEffects)
      << ",\"hud\":{\"health_bar\":" << Bool(game.settings.healthBar)
      << ",\"enemy_bars\":" << Bool(game.settings.enemyBars)
      << ",\"enemy_markers\":" << Bool(game.settings.enemyMarkers) << ",\"markers\":"
      << (game.settings.enemyMarkers
              ? FindEnemyMarkers(game.cameraX, game.cameraY, game.screenWidth, game.screenHeight)
                    .size()
              : 0u)
      << "}";
    if (const GameMenu* menu = game.Menu()) {
        const char* const pages[] = {"main", "settings", "controls"};
        o << ",\"menu\":{\"open\":" << Bool(menu->IsOpen())
          << ",\"page\":" << JsonString(pages[static_cast<int>(menu->CurrentPage())])
          << ",\"selected\":" << menu->Selected() << "}";
    }
    o << ",\"actions\":[";
    for (std::size_t i = 0; i < game.actionsRun.size(); ++i) {
        o << (i ? "," : "") << JsonString(game.actionsRun[i]);
    }
    o << "]}";
    m_file.WriteLine(o.str());
}
