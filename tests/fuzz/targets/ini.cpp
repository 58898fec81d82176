// The settings file reader: the keys the programs read, then a value
// written and read back, which must come back as written.
#include "tests/fuzz/support/FuzzScratch.h"

#include "platform/engine/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScratchFiles files;
    IniFile ini;
    ini.SetPath(files.Write("in.ini", fuzz::AsText(data, size)));
    for (const char* key : {"w", "h", "Fullscreen", "fps", "testmode", "speed"})
        ini.GetInt("CONFIGS", key, 0);
    ini.GetFloat("CONFIGS", "default_difficulty", 1.5f);
    ini.Get("", "");
    if (!ini.Set("CONFIGS", "w", "1280") || ini.GetInt("CONFIGS", "w", 0) != 1280)
        __builtin_trap();
    if (!ini.Set("new section", "volume", "0.5") ||
        ini.GetFloat("new section", "volume", 0) != 0.5f)
        __builtin_trap();
    return 0;
}
