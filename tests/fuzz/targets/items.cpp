// The item definitions (resources/items.xml) through the shared content
// code; every item is kept under its own name, as the inventory looks it up.
#include "tests/fuzz/support/FuzzScratch.h"

#include "content/ContentReport.h"
#include "content/ItemDefinitionReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScratchFiles files;
    const char* name = files.Write("in.xml", fuzz::AsText(data, size));
    EngineContentReport report(fuzz::TheEngine());
    ItemDefinitions items;
    ReadItemFile(name, items, report);
    for (const auto& [key, item] : items) {
        if (key != item.name) {
            __builtin_trap();
        }
    }
    return 0;
}
