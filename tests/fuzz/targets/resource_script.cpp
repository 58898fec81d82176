// The resource script: lexer and parser, includes included. The input is the
// main script, then "\n%%\n" and the files 1.res, 2.res ... it may include.
// Every record's object is then made and used once, as the game would.
#include "tests/fuzz/support/FuzzScratch.h"

#include "platform/engine/Engine.h"
#include "toolkit/Animation.h"
#include "toolkit/BitmapFont.h"
#include "toolkit/DistortionMesh.h"
#include "toolkit/ParticleSystem.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/Sprite.h"
#include "toolkit/StringTable.h"

#include <string>

namespace {

void Use(int kind, ResHandle handle) {
    switch (kind) {
    case kKindSprite:
        reinterpret_cast<Sprite*>(handle)->RenderEx(10, 10, 0.5f, 2.0f);
        break;
    case kKindAnimation: {
        auto* animation = static_cast<Animation*>(reinterpret_cast<Sprite*>(handle));
        for (int frame : {1, -1, 1000})
            animation->SetFrame(frame);
        animation->Render(20, 20);
        break;
    }
    case kKindFont:
        reinterpret_cast<BitmapFont*>(handle)->printfb(0, 0, 100, 50, 2 | 8, "%s", "AB ?\nA");
        break;
    case kKindParticle: {
        auto* particles = reinterpret_cast<ParticleSystem*>(handle);
        particles->FireAt(100, 100);
        for (int i = 0; i < 5; ++i)
            particles->Update(1.0f / 60);
        particles->Render();
        break;
    }
    case kKindDistortion: {
        auto* mesh = reinterpret_cast<DistortionMesh*>(handle);
        mesh->SetDisplacement(1, 1, 3, 4, 0);
        mesh->Render(0, 0);
        break;
    }
    case kKindStringTable:
        reinterpret_cast<StringTable*>(handle)->GetString("hello");
        break;
    default:
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScratchFiles files;
    std::vector<std::string_view> parts = fuzz::SplitParts(data, size);
    files.Write("main.res", parts[0]);
    for (std::size_t i = 1; i < parts.size(); ++i)
        files.Write(std::to_string(i) + ".res", parts[i]);

    Engine& engine = fuzz::TheEngine();
    ResourceManager manager("main.res");
    engine.Gfx_BeginScene();
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (ResDesc* record = manager.FirstRecord(kind); record; record = record->m_next) {
            if (ResHandle handle = record->Get(manager))
                Use(kind, handle);
        }
    }
    engine.Gfx_EndScene();
    return 0;
}
