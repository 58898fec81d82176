// Runs an action named by content: "word_argument" (or a bare word, which is
// then its own argument). Heals, gives orbs, calls enemy groups, starts
// dialogues, opens books, or deals damage with a cooldown; unknown words do
// nothing.
#pragma once

#include <string>

class Game;

// cooldown: when not 0, the word's time in the game's cooldown table
// becomes now + cooldown, whether or not the action took effect ("aggdmg"
// only takes effect when that time has passed).
void RunAction(Game& game, const std::string& command, float cooldown);
