// The effects file reader: the file is opened, every folder walked, every
// emitter loaded, laid out on atlases, played to its first interval (through
// a restore file written and read back) and run for a moment, its
// particles read out as the game draws them.
#include "tests/fuzz/support/FuzzScratch.h"

#include "platform/fx/Fx.h"
#include "platform/registry/Registry.h"

#include <string>
#include <vector>

namespace {

void Play(FxHandle emitter, const char* restoreFile) {
    Fx_EmitterToInterval1(emitter, restoreFile);
    Fx_EmitterToInterval1(emitter, restoreFile);
    Fx_SetEmitterPosition(emitter, 300, 200);
    Fx_SetEmitterDirection(emitter, 45);
    for (int step = 0; step < 10; ++step)
        Fx_Update(emitter, Fx_GetUpdateTime(emitter));
    Fx_Update(emitter, 0.5f);
    for (int s = 0; s < Fx_GetEmitterCount(emitter); ++s) {
        FxHandle sub = Fx_GetEmitter(emitter, s);
        for (int t = 0; t < Fx_GetParticlesTypeCount(sub); ++t) {
            FxParticleType* type = Fx_LockParticlesType(sub, t);
            for (int i = 0; i < Fx_GetTextureCount(type); ++i)
                Fx_GetTexture(type, i);
            FxParticle particle;
            FxPoint corners[4];
            while (Fx_GetNextParticle(type, &particle))
                Fx_GetParticleRectangle(&particle, corners);
            Fx_UnlockParticlesType(type);
        }
    }
}

// Loads the emitters of the current folder and of every folder below it
// (as deep as the XML reader allows elements to nest).
void Walk(FxHandle file, std::vector<FxHandle>& emitters) {
    std::vector<std::string> folders;
    FxSearchRecord record;
    for (int found = Fx_FindFirst(file, &record, FX_FIND_EMITTERS | FX_FIND_FOLDERS);
         found == FX_OK; found = Fx_FindNext(file, &record)) {
        if (record.folder) {
            folders.push_back(record.name);
            continue;
        }
        FxHandle emitter = 0;
        if (Fx_LoadEmitter(file, record.name.c_str(), &emitter) == FX_OK)
            emitters.push_back(emitter);
    }
    for (const std::string& folder : folders) {
        if (Fx_SetCurrentFolder(file, folder.c_str()) != FX_OK)
            continue;
        Walk(file, emitters);
        Fx_SetCurrentFolder(file, "..");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScratchFiles files;
    const char* restoreFile = files.Claim("in.fxr");
    FxHandle file = 0;
    if (Fx_OpenFile(files.Write("in.fxd", fuzz::AsText(data, size)), &file) == FX_OK) {
        std::vector<FxHandle> emitters;
        Walk(file, emitters);
        Fx_CreateAtlases(1024, 1024, 1, 0.1f);
        for (FxHandle emitter : emitters) {
            Play(emitter, restoreFile);
            Fx_UnloadEmitter(Fx_DuplicateEmitter(emitter));
        }
    }
    // A fresh library for the next input, handles counted from the start.
    Registry::Current().Reset();
    return 0;
}
