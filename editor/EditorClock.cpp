#include "editor/EditorClock.h"

#include "platform/engine/Engine.h"
#include "platform/registry/Registry.h"

EditorClock& TheEditorClock() {
    return Registry::Current().Get<EditorClock>();
}

void EditorClock::Refresh(Engine& engine) {
    time = engine.Timer_GetTime();
    delta = engine.Timer_GetDelta();
    fps = static_cast<float>(engine.Timer_GetFPS());
}
