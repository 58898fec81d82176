#include "game/core/Game.h"

#include "platform/registry/Registry.h"

namespace {

struct GameHandle {
    Game* game = nullptr;
};

} // namespace

void SetTheGame(Game* game) {
    Registry::Current().Get<GameHandle>().game = game;
}

Game* TheGame() {
    return Registry::Current().Get<GameHandle>().game;
}
