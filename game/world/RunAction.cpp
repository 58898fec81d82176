#include "game/world/RunAction.h"

#include "content/ActionName.h"
#include "content/ContentParse.h"
#include "game/actors/EnemyManager.h"
#include "game/actors/Player.h"
#include "game/actors/SpellManager.h"
#include "game/core/Game.h"
#include "game/core/GameClock.h"
#include "game/core/ScreenEffects.h"
#include "game/ui/Book.h"
#include "game/ui/DialogueManager.h"
#include "overlays/AlertList.h"
#include "platform/registry/Registry.h"

namespace {

constexpr std::uint32_t kGreen = 0xFF00FF14;
constexpr std::uint32_t kRed = 0xFFFF0000;

// A notice over the player's head, in the world.
void OverPlayer(std::uint32_t colour, const std::string& text) {
    const Player& player = ThePlayer();
    Registry::Current().Get<AlertList>().AddAlert(colour, text, player.x, player.y - 32, 0.01f, 2,
                                                  false);
}

void PowerUp(const std::string& what) {
    SpellManager& spells = TheSpellManager();
    struct Orb {
        const char* name;
        float SpellManager::*count;
        const char* notice;
    };
    static const Orb kOrbs[] = {{"fire", &SpellManager::fire, "+5 Fire Orb"},
                                {"ice", &SpellManager::ice, "+5 Ice Orb"},
                                {"wind", &SpellManager::wind, "+5 Wind Orb"},
                                {"earth", &SpellManager::earth, "+5 Earth Orb"}};
    if (what == "health") {
        ThePlayer().health += 20;
        OverPlayer(kGreen, "+20 Health");
        return;
    }
    for (const Orb& orb : kOrbs) {
        // "all": five of every element at once (the mana potion).
        if (what == orb.name || what == "all") {
            spells.*orb.count += 5;
            OverPlayer(kGreen, orb.notice);
        }
    }
}

void TakeDamage(Game& game, int damage) {
    Player& player = ThePlayer();
    GameClock& clock = TheGameClock();
    OverPlayer(kRed, std::to_string(damage / 10) + " damage taken!");
    player.health -= static_cast<float>(damage);
    ScreenEffects& effects = TheScreenEffects();
    effects.StartEffect("Circle of Flame", player.x, player.y);
    effects.Ripple(player.x - game.cameraX, player.y - game.cameraY);
    clock.slowMotionEnd = clock.time + 1.0f;
    clock.slowFactor = 2.0f;
}

} // namespace

void RunAction(Game& game, const std::string& command, float cooldown) {
    const auto [word, argument] = SplitAction(command);
    const float now = TheGameClock().time;
    bool tookEffect = true;

    if (word == "dialogue") {
        DialogueManager& dialogues = TheDialogueManager();
        tookEffect = !dialogues.IsActive();
        if (tookEffect) {
            dialogues.StartDialogue(argument);
        }
    } else if (word == "powerup") {
        PowerUp(argument);
    } else if (word == "addgroup" && game.peaceful) {
        tookEffect = false;
        // A trigger runs every step the player stands in it: one line a touch.
        const auto last = game.actionCooldowns.find(word);
        if (game.engine && (last == game.actionCooldowns.end() || last->second < now)) {
            game.engine->System_Log("Peaceful: \"%s\" ignored", command.c_str());
        }
    } else if (word == "addgroup") {
        TheEnemyManager().AddGroup(LeadingInt(argument.c_str()), 0.0f, 500.0f, 1.0f, 10.0f, 2.5f);
    } else if (word == "openbook") {
        TheBook().Open(argument);
    } else if (word == "addhealth") {
        ThePlayer().health += static_cast<float>(LeadingInt(argument.c_str()));
    } else if (word == "aggdmg") {
        // Read before this call records its own time below. Never touched
        // yet counts as ready, or a pit the player starts in (touched at
        // time 0) would never burn.
        const auto last = game.actionCooldowns.find(word);
        tookEffect = cooldown != 0 && (last == game.actionCooldowns.end() || last->second < now);
        if (tookEffect) {
            TakeDamage(game, LeadingInt(argument.c_str()));
        }
    } else {
        tookEffect = false;
    }
    if (tookEffect) {
        game.actionsRun.push_back(command);
    }
    if (cooldown != 0) {
        game.actionCooldowns[word] = now + cooldown;
    }
}
