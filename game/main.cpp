// The game's entry point: reads the command line, enters the content folder
// and runs the game, whose construction is the whole program.
#include "game/core/Game.h"
#include "platform/engine/ProgramStart.h"

#include <new>

int main(int argc, char** argv) {
    if (int code = PrepareProgram(argc, argv, "duskmaw"); code >= 0) {
        return code;
    }
    // The game object is never destroyed: the process exit reclaims it.
    Game* game = new (std::nothrow) Game();
    (void)game;
    return 0;
}
