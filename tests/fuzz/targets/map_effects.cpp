// The map effects (resources/effects.xml) through the shared content code:
// whatever an effect record says, it never has a sprite, a particle system
// or the dynamic flag.
#include "tests/fuzz/support/FuzzScratch.h"

#include "content/ContentReport.h"
#include "content/EntityDefinitionReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScratchFiles files;
    const char* name = files.Write("in.xml", fuzz::AsText(data, size));
    EngineContentReport report(fuzz::TheEngine());
    EntityDefinitions effects;
    ReadEffectFile(name, effects, report);
    for (const auto& [key, effect] : effects) {
        if (!effect.spriteName.empty() || !effect.particleName.empty() || effect.dynamic) {
            __builtin_trap();
        }
    }
    return 0;
}
