// The string-table reader ("[STRINGTABLE]" files of books and dialogue).
#include "tests/fuzz/support/FuzzScratch.h"

#include "toolkit/StringTable.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScratchFiles files;
    StringTable table(files.Write("in.txt", fuzz::AsText(data, size)));
    for (const char* name : {"hello", "book_1_page_1", "", "a"}) {
        if (const char* text = table.GetString(name)) {
            // Texts are cut at their documented size.
            if (std::strlen(text) > StringTable::kMaxText)
                __builtin_trap();
        }
    }
    return 0;
}
