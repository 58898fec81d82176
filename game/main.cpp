// The game's entry point: reads the command line, enters the content folder
// and runs the game, whose construction is the whole program.
#include "game/core/Game.h"
#include "game/core/StartOption.h"
#include "platform/engine/ProgramStart.h"

#include <cstdio>
#include <new>
#include <string>

int main(int argc, char** argv) {
    StartPosition start;
    std::string error;
    if (!TakeStartOption(argc, argv, start, error)) {
        std::fprintf(stderr, "duskmaw: %s\n", error.c_str());
        return 2;
    }
    SetStartPosition(start);
    if (int code = PrepareProgram(argc, argv, "duskmaw"); code >= 0) {
        return code;
    }
    // The game object is never destroyed: the process exit reclaims it.
    Game* game = new (std::nothrow) Game();
    (void)game;
    return 0;
}
