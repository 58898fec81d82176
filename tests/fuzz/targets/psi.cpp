// The particle settings reader (".psi"): the record is read, written back
// unchanged, and a system made from it runs and draws for a few frames.
#include "tests/fuzz/support/FuzzScratch.h"

#include "platform/engine/Engine.h"
#include "toolkit/ParticleSystem.h"
#include "toolkit/Sprite.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ParticleSystemInfo info;
    if (info.Read(data, size)) {
        // Every field but the sprite slot goes back out as it came in.
        std::uint8_t written[ParticleSystemInfo::kRecordSize];
        info.Write(written);
        std::uint8_t expected[ParticleSystemInfo::kRecordSize];
        std::memcpy(expected, data, sizeof expected);
        std::memset(expected, 0, 4);
        // Only the first byte of the "relative" flag's word is read.
        expected[28] = expected[28] != 0;
        std::memset(expected + 29, 0, 3);
        if (std::memcmp(written, expected, sizeof written) != 0)
            __builtin_trap();
    }

    fuzz::ScratchFiles files;
    Sprite sprite(0, 0, 0, 8, 8);
    ParticleSystem system(files.Write("in.psi", fuzz::AsText(data, size)), &sprite);
    Engine& engine = fuzz::TheEngine();
    engine.Gfx_BeginScene();
    system.FireAt(100, 100);
    for (int frame = 0; frame < 8; ++frame) {
        system.MoveTo(100.0f + static_cast<float>(frame), 100, frame % 4 == 0);
        system.Update(1.0f / 60);
        system.Render();
    }
    system.Update(1000.0f);
    system.Render();
    engine.Gfx_EndScene();
    return 0;
}
