#include "editor/TriggerWords.h"

#include "content/ActionName.h"
#include "content/ContentParse.h"

namespace {

std::string Number(const std::string& argument) {
    return std::to_string(LeadingInt(argument.c_str()));
}

std::string PowerUpWords(const std::string& what) {
    if (what == "health") {
        return "heals 20"; // what the game's health power-up gives
    }
    if (what == "all") {
        return "gives 5 orbs of every element";
    }
    if (what == "fire" || what == "ice" || what == "earth" || what == "wind") {
        return "gives 5 " + what + " orbs";
    }
    return "does nothing (unknown power-up \"" + what + "\")";
}

} // namespace

std::string TriggerWords(const std::string& action) {
    if (action.empty()) {
        return "nothing";
    }
    const auto [word, argument] = SplitAction(action);
    if (word == "dialogue") {
        return "starts the dialogue " + argument;
    }
    if (word == "openbook") {
        return "opens the book " + argument;
    }
    if (word == "addhealth") {
        return "heals " + Number(argument);
    }
    if (word == "powerup") {
        return PowerUpWords(argument);
    }
    if (word == "addgroup") {
        return "calls an enemy group of " + Number(argument);
    }
    if (word == "aggdmg") {
        return "hurts " + Number(argument);
    }
    return "does nothing (unknown action \"" + action + "\")";
}
