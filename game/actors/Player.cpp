#include "game/actors/Player.h"

#include "platform/registry/Registry.h"

Player& ThePlayer() {
    return Registry::Current().Get<Player>();
}
