// Ours: the engine in a window, one Gfx_RenderQuad per quad, as the game
// draws sprites.
#include "bench/renderer/Benches.h"
#include "platform/engine/EngineOptions.h"

#include <epoxy/gl.h>

#include <chrono>
#include <filesystem>

double RunEngineBench(const BenchConfig& config) {
    EngineOptions options;
    options.noDialogs = true;
    options.logFile =
        (std::filesystem::temp_directory_path() / "duskmaw-renderer-bench.log").string();
    SetEngineOptions(options);
    Engine* engine = EngineCreate(ENGINE_VERSION);
    if (!engine)
        return 0;
    engine->System_SetState(ENGINE_TITLE, "renderer bench: engine");
    engine->System_SetState(ENGINE_SCREENWIDTH, kBenchWidth);
    engine->System_SetState(ENGINE_SCREENHEIGHT, kBenchHeight);
    engine->System_SetState(ENGINE_WINDOWED, true);
    engine->System_SetState(ENGINE_USESOUND, false);
    engine->System_SetState(ENGINE_FPS, ENGINE_FPS_UNLIMITED);
    // Nearest sampling, as the other renderers draw (the engine's default
    // is filtered).
    engine->System_SetState(ENGINE_TEXTUREFILTER, false);

    std::vector<Quad> quads = MakeBenchQuads(config.quads, config.size);
    using Clock = std::chrono::steady_clock;
    Clock::time_point start;
    double seconds = 0;
    int frame = 0;
    engine->System_SetState(ENGINE_FRAMEFUNC,
                            [&] { return frame >= config.warmup + config.frames; });
    engine->System_SetState(ENGINE_RENDERFUNC, [&] {
        if (frame == config.warmup) {
            glFinish();
            start = Clock::now();
        }
        engine->Gfx_BeginScene();
        engine->Gfx_Clear(0xFF000000);
        for (const Quad& q : quads)
            engine->Gfx_RenderQuad(&q);
        engine->Gfx_EndScene();
        if (++frame == config.warmup + config.frames) {
            glFinish();
            seconds = std::chrono::duration<double>(Clock::now() - start).count();
        }
        return false;
    });

    bool ok = engine->System_Initiate();
    if (ok) {
        HTEXTURE textures[2];
        for (int t = 0; t < 2; ++t) {
            textures[t] = engine->Texture_Create(kBenchTextureSize, kBenchTextureSize);
            std::uint32_t* pixels = engine->Texture_Lock(textures[t], false);
            std::vector<std::uint32_t> source = MakeBenchTexture(t);
            std::copy(source.begin(), source.end(), pixels);
            engine->Texture_Unlock(textures[t]);
        }
        for (Quad& q : quads)
            q.tex = textures[q.tex];
        engine->System_Start();
    }
    engine->System_Shutdown();
    engine->Release();
    return ok && seconds > 0 ? double(config.quads) * config.frames / seconds : 0;
}
