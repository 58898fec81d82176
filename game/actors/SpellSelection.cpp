#include "game/actors/SpellSelection.h"

#include "content/DefinitionDatabase.h"
#include "game/actors/SpellManager.h"
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
    // The first index wins, so the file's order decides between equal
    // combinations; an "it" other than 0 or 1 never matches.
    const int it = clock.it ? 1 : 0;
    for (const auto& [index, combination] : TheSpellManager().Definitions().Combinations()) {
        if (combination.fire == clock.fire && combination.ice == clock.ice &&
            combination.earth == clock.earth && combination.wind == clock.wind &&
            combination.it == it) {
            return index;
        }
    }
    return -1;
}
