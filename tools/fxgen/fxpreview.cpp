// fxpreview: plays the authored effects side by side, the way the game
// plays them (its manager settings, one copy per effect, map effects in
// loop mode), over the night ground, so their look can be judged and
// screenshot. Takes the engine's options (--screenshot, --frames...);
// Esc quits.
#include "toolkit/fx/FX_Emitter.h"
#include "toolkit/fx/FX_Manager.h"
#include "platform/engine/Engine.h"
#include "platform/engine/EngineOptions.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

struct Shown {
    const char* name;
    bool loops;
    FX_Emitter* emitter = nullptr;
};

} // namespace

int main(int argc, char** argv) {
    EngineOptions options;
    OptionsParseResult parsed = ParseEngineOptions(argc, argv, options);
    if (parsed.help || !parsed.ok) {
        std::fputs(EngineOptionsUsage(argv[0]).c_str(), parsed.ok ? stdout : stderr);
        return parsed.ok ? 0 : 2;
    }
    SetEngineOptions(options);
    if (EnterDataDirectory(options, argv[0]).empty()) {
        std::fprintf(stderr, "fxpreview: no data folder found\n");
        return 1;
    }
    Engine* engine = EngineCreate(ENGINE_VERSION);
    engine->System_SetState(ENGINE_TITLE, "Duskmaw effects");
    engine->System_SetState(ENGINE_SCREENWIDTH, 1024);
    engine->System_SetState(ENGINE_SCREENHEIGHT, 768);
    engine->System_SetState(ENGINE_WINDOWED, true);
    engine->System_SetState(ENGINE_USESOUND, false);
    engine->System_SetState(ENGINE_FPS, 60);

    std::vector<Shown> shown = {
        {"Circle of Flame", false}, {"Inferno", false}, {"Blizzard", false},
        {"Earthquake", false},      {"Tornado", false}, {"Will-o-Wisps", true},
        {"Drifting Mist", true},    {"Embers", true},   {"Magic Circle", true}};
    std::unique_ptr<FX_Manager> manager;
    engine->System_SetState(ENGINE_FRAMEFUNC, [&] {
        for (Shown& effect : shown) {
            if (effect.emitter == nullptr) {
                continue;
            }
            if (effect.emitter->GetState() == FX_Emitter::kStopped) {
                effect.emitter->SetState(FX_Emitter::kPlaying); // one-shots play again
            }
            effect.emitter->Update(engine->Timer_GetDelta());
        }
        return engine->Input_GetKey() == VK_ESCAPE;
    });
    engine->System_SetState(ENGINE_RENDERFUNC, [&] {
        engine->Gfx_BeginScene();
        engine->Gfx_Clear(0xFF12141F);
        for (int i = 1; i < 3; ++i) {
            float x = static_cast<float>(i) * 1024 / 3, y = static_cast<float>(i) * 768 / 3;
            engine->Gfx_RenderLine(x, 0, x, 768, 0xFF23273A);
            engine->Gfx_RenderLine(0, y, 1024, y, 0xFF23273A);
        }
        for (Shown& effect : shown) {
            if (effect.emitter != nullptr) {
                effect.emitter->Draw();
            }
        }
        engine->Gfx_EndScene();
        return false;
    });

    int status = 1;
    if (engine->System_Initiate()) {
        std::string temp = (std::filesystem::temp_directory_path() / "duskmaw-fxpreview-").string();
        manager = std::make_unique<FX_Manager>(2, 0, false, "", temp);
        if (manager->LoadEffectsFile("fx/effects.fxd")) {
            for (std::size_t i = 0; i < shown.size(); ++i) {
                FX_Emitter* original = manager->EmitterByName(shown[i].name);
                if (original == nullptr) {
                    std::fprintf(stderr, "fxpreview: no effect '%s'\n", shown[i].name);
                    continue;
                }
                FX_Emitter* copy = manager->GetEmitter(manager->Duplicate(original));
                float x = (static_cast<float>(i % 3) + 0.5f) * 1024 / 3;
                float y = (static_cast<float>(i / 3) + 0.5f) * 768 / 3;
                copy->Move(x, y, 0);
                copy->SetState(FX_Emitter::kPlaying);
                if (shown[i].loops) {
                    Fx_SetLoopMode(copy->GetHandle(), 1);
                } else {
                    // As area spells are cast.
                    Fx_SetEmitterDirectionMode(copy->GetHandle(), true);
                    Fx_SetEmitterDirection(copy->GetHandle(), 45.0f);
                }
                shown[i].emitter = copy;
            }
            engine->System_Start();
            status = 0;
        }
    }
    for (Shown& effect : shown) {
        delete effect.emitter;
    }
    manager.reset();
    engine->System_Shutdown();
    engine->Release();
    return status;
}
