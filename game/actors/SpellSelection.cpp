#include "game/actors/SpellSelection.h"

#include "game/core/GameClock.h"
#include "platform/engine/Engine.h"

int SelectSpell() {
    Engine* engine = EngineCreate(ENGINE_VERSION);
    GameClock& clock = TheGameClock();
    bool* flags[5] = {&clock.fire, &clock.ice, &clock.earth, &clock.wind, &clock.it};
    const int keys[5] = {0x31, 0x32, 0x33, 0x34, 0x51};
    for (int k = 0; k < 5; ++k) {
        if (!engine->Input_GetKeyState(keys[k])) {
            continue;
        }
        clock.flashAlpha = 255;
        *flags[k] = true;
        float old = clock.lastElementKeyTime;
        clock.lastElementKeyTime = clock.time;
        // A key long after the previous one starts a new selection.
        if (old + 0.1f <= clock.time) {
            for (int other = 0; other < 5; ++other) {
                if (other != k) {
                    *flags[other] = false;
                }
            }
        }
    }
    if (engine->Input_GetKeyState(0x35)) {
        clock.flashAlpha = 255;
        for (bool* flag : flags) {
            *flag = false;
        }
    }
    engine->Release();
    // Spell combinations come with the spell definitions; until they are
    // loaded nothing matches.
    return -1;
}
