// What a definition's action does, in the words a designer reads in the
// inspector: "opens the book primer", "starts the dialogue wanderer",
// "heals 20". Follows what the game's actions do.
#pragma once

#include <string>

// "nothing" for an empty action; an action the game does not know is said
// to do nothing, with its text.
std::string TriggerWords(const std::string& action);
