// The entity definitions (resources/entity.xml) through the shared content
// code, read twice into one table the way a later file's records replace an
// earlier one's.
#include "tests/fuzz/support/FuzzScratch.h"

#include "content/ContentReport.h"
#include "content/EntityDefinitionReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScratchFiles files;
    const char* name = files.Write("in.xml", fuzz::AsText(data, size));
    EngineContentReport report(fuzz::TheEngine());
    EntityDefinitions once;
    if (!ReadEntityFile(name, once, report)) {
        return 0;
    }
    // Reading the same records again must replace each by its equal.
    EntityDefinitions twice = once;
    ReadEntityFile(name, twice, report);
    if (twice.size() != once.size()) {
        __builtin_trap();
    }
    for (const auto& [key, definition] : once) {
        const EntityDefinition& again = twice.at(key);
        if (again.spriteName != definition.spriteName || again.layer != definition.layer ||
            again.playerTrigger != definition.playerTrigger) {
            __builtin_trap();
        }
    }
    return 0;
}
