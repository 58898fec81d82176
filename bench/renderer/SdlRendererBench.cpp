// The reference: SDL_Renderer's OpenGL driver with batching on, one
// SDL_RenderGeometry call per quad.
#include "bench/renderer/Benches.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <chrono>

double RunSdlRendererBench(const BenchConfig& config) {
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return 0;
    SDL_Window* window =
        SDL_CreateWindow("renderer bench: SDL_Renderer", SDL_WINDOWPOS_CENTERED,
                         SDL_WINDOWPOS_CENTERED, kBenchWidth, kBenchHeight, SDL_WINDOW_OPENGL);
    SDL_Renderer* renderer =
        window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED) : nullptr;
    double result = 0;
    if (renderer) {
        SDL_Texture* textures[2];
        for (int t = 0; t < 2; ++t) {
            textures[t] =
                SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                  kBenchTextureSize, kBenchTextureSize);
            std::vector<std::uint32_t> pixels = MakeBenchTexture(t);
            SDL_UpdateTexture(textures[t], nullptr, pixels.data(), kBenchTextureSize * 4);
            SDL_SetTextureBlendMode(textures[t], SDL_BLENDMODE_BLEND);
        }
        // Converted once, outside the timing: only drawing is measured.
        std::vector<Quad> quads = MakeBenchQuads(config.quads, config.size);
        std::vector<SDL_Vertex> vertices(quads.size() * 4);
        for (size_t i = 0; i < quads.size(); ++i)
            for (int k = 0; k < 4; ++k) {
                const Vertex& v = quads[i].v[k];
                SDL_Color c{Uint8(v.col >> 16), Uint8(v.col >> 8), Uint8(v.col),
                            Uint8(v.col >> 24)};
                vertices[i * 4 + k] = SDL_Vertex{{v.x, v.y}, c, {v.tx, v.ty}};
            }
        const int indices[6] = {0, 1, 2, 0, 2, 3};
        using Clock = std::chrono::steady_clock;
        Clock::time_point start;
        for (int frame = 0; frame < config.warmup + config.frames; ++frame) {
            if (frame == config.warmup) {
                glFinish();
                start = Clock::now();
            }
            SDL_Event event;
            while (SDL_PollEvent(&event)) {
            }
            SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
            SDL_RenderClear(renderer);
            for (size_t i = 0; i < quads.size(); ++i)
                SDL_RenderGeometry(renderer, textures[quads[i].tex], &vertices[i * 4], 4, indices,
                                   6);
            SDL_RenderPresent(renderer);
        }
        glFinish();
        double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        result = double(config.quads) * config.frames / seconds;
        for (SDL_Texture* t : textures)
            SDL_DestroyTexture(t);
        SDL_DestroyRenderer(renderer);
    }
    if (window)
        SDL_DestroyWindow(window);
    SDL_Quit();
    return result;
}
