// engine-demo: starts the engine the way the game does and draws a fixed
// picture exercising the drawing operations. Esc quits; arrows or WASD move
// the square; a cross follows the mouse.
#include "platform/engine/Engine.h"
#include "platform/engine/EngineOptions.h"
#include "tools/engine-demo/DemoScene.h"

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    EngineOptions options;
    OptionsParseResult parsed = ParseEngineOptions(argc, argv, options);
    if (parsed.help || !parsed.ok) {
        if (!parsed.ok)
            std::fprintf(stderr, "%s\n", parsed.error.c_str());
        std::fputs(EngineOptionsUsage(argv[0]).c_str(), parsed.ok ? stdout : stderr);
        return parsed.ok ? 0 : 2;
    }
    SetEngineOptions(options);
    if (EnterDataDirectory(options, argv[0]).empty())
        std::fprintf(stderr, "engine-demo: no data folder found; running without content\n");

    Engine* engine = EngineCreate(ENGINE_VERSION);
    if (!engine) {
        std::fprintf(stderr, "engine-demo: engine version mismatch\n");
        return 1;
    }
    auto scene = std::make_unique<DemoScene>(engine);
    engine->System_SetState(ENGINE_TITLE, "Duskmaw engine demo");
    engine->System_SetState(ENGINE_SCREENWIDTH, 1024);
    engine->System_SetState(ENGINE_SCREENHEIGHT, 768);
    engine->System_SetState(ENGINE_SCREENBPP, 32);
    engine->System_SetState(ENGINE_WINDOWED, true);
    engine->System_SetState(ENGINE_USESOUND, false);
    engine->System_SetState(ENGINE_FPS, ENGINE_FPS_VSYNC);
    engine->System_SetState(ENGINE_FRAMEFUNC, [&scene] { return scene->Frame(); });
    engine->System_SetState(ENGINE_RENDERFUNC, [&scene] {
        scene->Render();
        return false;
    });

    int status = 0;
    if (engine->System_Initiate() && scene->Load()) {
        engine->System_Start();
    } else {
        std::fprintf(stderr, "engine-demo: %s\n", engine->System_GetErrorMessage().c_str());
        status = 1;
    }
    scene.reset(); // frees its resources while the engine still runs
    engine->System_Shutdown();
    engine->Release();
    return status;
}
