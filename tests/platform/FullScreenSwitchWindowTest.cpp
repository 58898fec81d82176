// Alt+Enter in a real window (an X display; ./test gives one through Xvfb):
// the switch makes the drawing device again, and the picture - a loaded
// texture and a render target drawn on the screen - is the same in full
// screen and after switching back.
#include "tests/support/TestSupport.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

Quad Rect(float x, float y, float w, float h, HTEXTURE texture) {
    Quad q{};
    const float xs[4] = {x, x + w, x + w, x};
    const float ys[4] = {y, y, y + h, y + h};
    const float us[4] = {0, 1, 1, 0};
    const float vs[4] = {0, 0, 1, 1};
    for (int i = 0; i < 4; ++i) {
        q.v[i] = Vertex{xs[i], ys[i], 0.5f, 0xFFFFFFFF, us[i], vs[i]};
    }
    q.tex = texture;
    q.blend = BLEND_DEFAULT;
    return q;
}

std::vector<std::uint32_t> Pixels(Engine* engine, const std::string& png) {
    HTEXTURE shot = engine->Texture_Load(png.c_str());
    std::vector<std::uint32_t> pixels;
    if (shot != 0 && engine->Texture_GetWidth(shot) == kWidth) {
        const std::uint32_t* p = engine->Texture_Lock(shot, true);
        pixels.assign(p, p + kWidth * kHeight);
        engine->Texture_Unlock(shot);
    }
    engine->Texture_Free(shot);
    return pixels;
}

} // namespace

TEST(FullScreenSwitchWindowTest, ThePictureIsTheSameInFullScreenAndAfterSwitchingBack) {
    if (std::string why = testing_support::WindowTestSkipReason(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    const std::string dir = testing_support::MakeTempDir("fullscreen");
    EngineOptions options;
    options.noDialogs = true;
    options.logFile = dir + "/log.txt";
    options.inputFile = dir + "/input.txt";
    testing_support::WriteFile(options.inputFile, "3 key 0x12 down\n3 key 0x0D down\n"
                                                  "4 key 0x0D up\n4 key 0x12 up\n"
                                                  "8 key 0x12 down\n8 key 0x0D down\n"
                                                  "9 key 0x0D up\n9 key 0x12 up\n");
    options.frames = 13;
    for (int frame : {2, 6, 12}) {
        options.screenshots.push_back({frame, dir + "/shot" + std::to_string(frame) + ".png"});
    }
    SetEngineOptions(options);
    Engine* engine = EngineCreate(ENGINE_VERSION);
    engine->System_SetState(ENGINE_WINDOWED, true);
    engine->System_SetState(ENGINE_TEXTUREFILTER, false);
    engine->System_SetState(ENGINE_SCREENWIDTH, kWidth);
    engine->System_SetState(ENGINE_SCREENHEIGHT, kHeight);
    ASSERT_TRUE(engine->System_Initiate()) << engine->System_GetErrorMessage();

    // A loaded texture of four colours, and a target the frame draws into.
    HTEXTURE colours = engine->Texture_Create(2, 2);
    std::uint32_t* texels = engine->Texture_Lock(colours, false);
    const std::uint32_t four[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00};
    std::copy(four, four + 4, texels);
    engine->Texture_Unlock(colours);
    HTARGET target = engine->Target_Create(kWidth, kHeight, false);
    HTEXTURE picture = engine->Target_GetTexture(target);
    int restores = 0;
    engine->System_SetState(ENGINE_GFXRESTOREFUNC, [&] {
        picture = engine->Target_GetTexture(target);
        ++restores;
        return false;
    });
    std::vector<bool> fullScreen;
    std::vector<int> drawableWidth;
    engine->System_SetState(ENGINE_FRAMEFUNC, [&] {
        auto* window = static_cast<SDL_Window*>(engine->System_GetState(ENGINE_HWND));
        fullScreen.push_back((SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) ==
                             SDL_WINDOW_FULLSCREEN_DESKTOP);
        int w = 0, h = 0;
        SDL_GL_GetDrawableSize(window, &w, &h);
        drawableWidth.push_back(w);
        return false;
    });
    engine->System_SetState(ENGINE_RENDERFUNC, [&] {
        engine->Gfx_BeginScene(target);
        engine->Gfx_Clear(0xFF202080);
        Quad q = Rect(20, 20, 120, 120, colours);
        engine->Gfx_RenderQuad(&q);
        engine->Gfx_EndScene();
        engine->Gfx_BeginScene();
        engine->Gfx_Clear(0xFF000000);
        q = Rect(0, 0, kWidth, kHeight, picture);
        engine->Gfx_RenderQuad(&q);
        q = Rect(200, 120, 100, 100, colours);
        engine->Gfx_RenderQuad(&q);
        engine->Gfx_EndScene();
        return false;
    });
    engine->System_Start();

    EXPECT_EQ(restores, 2);
    ASSERT_EQ(fullScreen.size(), 13u);
    EXPECT_FALSE(fullScreen[2]);
    EXPECT_TRUE(fullScreen[6]);
    EXPECT_FALSE(fullScreen[12]);
    EXPECT_EQ(drawableWidth[2], kWidth);
    EXPECT_EQ(drawableWidth[12], kWidth) << ::testing::PrintToString(drawableWidth);

    const std::vector<std::uint32_t> before = Pixels(engine, dir + "/shot2.png");
    ASSERT_EQ(before.size(), std::size_t(kWidth * kHeight))
        << testing_support::ReadFile(options.logFile);
    // The target's clear, each of the texture's colours through the target
    // and straight on the screen.
    auto at = [&](const std::vector<std::uint32_t>& p, int x, int y) { return p[y * kWidth + x]; };
    EXPECT_EQ(at(before, 5, 5), 0xFF202080u);
    EXPECT_EQ(at(before, 40, 40), 0xFFFF0000u);
    EXPECT_EQ(at(before, 120, 120), 0xFFFFFF00u);
    EXPECT_EQ(at(before, 220, 200), 0xFF0000FFu);
    EXPECT_EQ(at(before, 280, 140), 0xFF00FF00u);
    EXPECT_EQ(Pixels(engine, dir + "/shot6.png"), before);
    EXPECT_EQ(Pixels(engine, dir + "/shot12.png"), before);

    engine->Target_Free(target);
    engine->Texture_Free(colours);
    engine->System_Shutdown();
    engine->Release();
    SetEngineOptions(EngineOptions{});
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}
