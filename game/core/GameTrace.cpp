#include "game/core/GameTrace.h"

#include "content/ItemDefinition.h"
#include "game/actors/Player.h"
#include "game/actors/PowerUpList.h"
#include "game/actors/SpellManager.h"
#include "game/audio/SoundManager.h"
#include "game/core/Game.h"
#include "game/core/GameClock.h"
#include "game/core/ScreenEffects.h"
#include "game/ui/Book.h"
#include "game/ui/DialogueManager.h"
#include "game/ui/Inventory.h"
#include "game/world/World.h"
#include "overlays/AlertList.h"
#include "platform/registry/Registry.h"

#include <sstream>

namespace {

const char* Bool(bool value) {
    return value ? "true" : "false";
}

} // namespace

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20 || c >= 0x7F) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", c);
                out += escape;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

GameTrace::GameTrace(const std::string& path) : m_file(std::fopen(path.c_str(), "w")) {
    if (!m_file) {
        std::fprintf(stderr, "cannot write the trace %s\n", path.c_str());
    }
}

GameTrace::~GameTrace() {
    if (m_file) {
        std::fclose(m_file);
    }
}

void GameTrace::Write(const Game& game) {
    if (!m_file) {
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
      << ",\"difficulty\":" << game.difficulty << ",\"score\":" << game.score << ",\"camera\":["
      << game.cameraX << "," << game.cameraY << "],\"mouse\":[" << game.mouseX << "," << game.mouseY
      << "],\"fps\":{\"current\":" << game.currentFps << ",\"worst\":" << game.worstFps
      << ",\"best\":" << game.bestFps << ",\"average\":" << game.averageFps
      << "},\"select\":{\"fire\":" << Bool(clock.fire) << ",\"ice\":" << Bool(clock.ice)
      << ",\"earth\":" << Bool(clock.earth) << ",\"wind\":" << Bool(clock.wind)
      << ",\"it\":" << Bool(clock.it) << "},\"flash\":" << clock.flashAlpha
      << ",\"effects_on\":" << Bool(TheScreenEffects().effectsOn) << ",\"alerts\":[";
    bool first = true;
    for (const Alert& alert : Registry::Current().Get<AlertList>().Alerts()) {
        o << (first ? "" : ",") << "{\"text\":" << JsonString(alert.text) << ",\"x\":" << alert.x
          << ",\"y\":" << alert.y << ",\"alpha\":" << alert.alpha << ",\"align\":" << alert.align
          << "}";
        first = false;
    }
    o << "],\"player\":{\"x\":" << player.x << ",\"y\":" << player.y
      << ",\"facing\":" << player.facing << ",\"health\":" << player.health << "},\"orbs\":["
      << spells.fire << "," << spells.ice << "," << spells.earth << "," << spells.wind
      << "],\"inventory\":{\"open\":" << Bool(TheInventory().open) << ",\"items\":[";
    first = true;
    for (const auto& item : TheInventory().Items()) {
        o << (first ? "" : ",") << "{\"name\":" << JsonString(item->Definition().name)
          << ",\"cell\":" << item->cell << "}";
        first = false;
    }
    o << "]},\"powerups\":[";
    first = true;
    for (const auto& powerUp : ThePowerUpList().PowerUps()) {
        o << (first ? "" : ",") << "{\"x\":" << powerUp->x << ",\"y\":" << powerUp->y
          << ",\"action\":" << JsonString(powerUp->Action()) << "}";
        first = false;
    }
    o << "],\"book\":{\"open\":" << Bool(book.open) << ",\"name\":" << JsonString(book.name)
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
      << ",\"playing\":" << Bool(sounds.IsMusicPlaying()) << "}}\n";
    std::fputs(o.str().c_str(), m_file);
    std::fflush(m_file);
}
