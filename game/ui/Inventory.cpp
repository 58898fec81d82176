#include "game/ui/Inventory.h"

#include "platform/registry/Registry.h"

Inventory& TheInventory() {
    return Registry::Current().Get<Inventory>();
}
