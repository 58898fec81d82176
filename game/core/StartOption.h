// The game's own option "--start X,Y": where the player stands when the map
// is loaded (the editor's play-test puts the player at its view's centre).
#pragma once

#include <string>

struct StartPosition {
    bool set = false;
    float x = 0;
    float y = 0;
};

// Removes "--start X,Y" from argv, so the options both programs share do
// not see it. False with a message when X,Y is not two finite numbers.
bool TakeStartOption(int& argc, char** argv, StartPosition& start, std::string& error);
// Reads "X,Y"; false when it is not two finite numbers.
bool ParseStartPosition(const std::string& text, StartPosition& start);

void SetStartPosition(const StartPosition& start);
const StartPosition& GetStartPosition();
