#include "game/core/ScreenEffects.h"

#include "platform/registry/Registry.h"

ScreenEffects& TheScreenEffects() {
    return Registry::Current().Get<ScreenEffects>();
}
