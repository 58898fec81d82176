#include "game/actors/SpellManager.h"

#include "platform/registry/Registry.h"

SpellManager& TheSpellManager() {
    return Registry::Current().Get<SpellManager>();
}
