#include "game/ui/DialogueManager.h"

#include "platform/registry/Registry.h"

DialogueManager& TheDialogueManager() {
    return Registry::Current().Get<DialogueManager>();
}
