#include "platform/engine/ProgramStart.h"

#include "platform/engine/EngineLog.h"
#include "platform/engine/EngineOptions.h"

#include <cstdio>

int PrepareProgram(int argc, char** argv, const char* name) {
    EngineOptions options;
    OptionsParseResult parsed = ParseEngineOptions(argc, argv, options);
    if (!parsed.ok || parsed.help) {
        std::fprintf(parsed.ok ? stdout : stderr, "%s%s%s", parsed.error.c_str(),
                     parsed.ok ? "" : "\n", EngineOptionsUsage(argv[0]).c_str());
        return parsed.ok ? 0 : 2;
    }
    SetEngineOptions(options);
    if (EnterDataDirectory(options, argv[0]).empty()) {
        std::fprintf(stderr, "%s: no content folder found (use --data DIR)\n", name);
        return 1;
    }
    return -1;
}

Engine* CreateProgramEngine(const ProgramCallbacks& callbacks, ProgramScreen& screen) {
    Engine* engine = EngineCreate(ENGINE_VERSION);
    engine->System_SetState(ENGINE_INIFILE, "settings.ini");
    engine->System_SetState(ENGINE_PLAYERINIFILE, PlayerSettingsPath().c_str());
    screen.width = engine->Ini_GetInt("CONFIGS", "w", 1024);
    screen.height = engine->Ini_GetInt("CONFIGS", "h", 768);
    engine->System_SetState(ENGINE_WINDOWED, engine->Ini_GetInt("CONFIGS", "Fullscreen", 0) == 0);
    engine->System_SetState(ENGINE_FPS, engine->Ini_GetInt("CONFIGS", "fps", 0));
    engine->System_SetState(ENGINE_FRAMEFUNC, callbacks.frame);
    engine->System_SetState(ENGINE_RENDERFUNC, callbacks.render);
    engine->System_SetState(ENGINE_GFXRESTOREFUNC, callbacks.restore);
    engine->System_SetState(ENGINE_EXITFUNC, callbacks.exit);
    engine->System_SetState(ENGINE_TITLE, "Welcome to the - Duskmaw!");
    // Sound goes through the sound library, not the engine.
    engine->System_SetState(ENGINE_USESOUND, false);
    engine->System_SetState(ENGINE_SCREENWIDTH, screen.width);
    engine->System_SetState(ENGINE_SCREENHEIGHT, screen.height);
    engine->System_SetState(ENGINE_SCREENBPP, 32);
    engine->System_SetState(ENGINE_DONTSUSPEND, true);
    engine->System_SetState(ENGINE_HIDEMOUSE, true);
    engine->System_SetState(ENGINE_SHOWSPLASH, true);
    engine->System_SetState(ENGINE_LOGFILE, "log.txt");
    engine->System_SetState(ENGINE_TEXTUREFILTER, false);
    return engine;
}
