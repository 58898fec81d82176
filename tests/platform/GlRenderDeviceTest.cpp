// The OpenGL back end drawn for real (needs an X display: ./test gives one
// through Xvfb) and read back pixel by pixel.
#include "platform/engine/GlRenderDevice.h"
#include "tests/support/TestSupport.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kSize = 64;

struct Rgba {
    int a, r, g, b;
};

Rgba Split(std::uint32_t c) {
    return {int(c >> 24), int((c >> 16) & 0xFF), int((c >> 8) & 0xFF), int(c & 0xFF)};
}

// GPUs round colour maths slightly differently; two steps out of 255 is
// still the same blend.
::testing::AssertionResult Near(std::uint32_t actual, Rgba expected, bool checkAlpha = false) {
    Rgba a = Split(actual);
    if (std::abs(a.r - expected.r) <= 2 && std::abs(a.g - expected.g) <= 2 &&
        std::abs(a.b - expected.b) <= 2 && (!checkAlpha || std::abs(a.a - expected.a) <= 2))
        return ::testing::AssertionSuccess();
    char text[128];
    std::snprintf(text, sizeof text, "got %08X, expected a%d r%d g%d b%d", actual, expected.a,
                  expected.r, expected.g, expected.b);
    return ::testing::AssertionFailure() << text;
}

Quad MakeQuad(float x, float y, float w, float h, std::uint32_t color, HTEXTURE tex, int blend,
              float z = 0.5f) {
    Quad q{};
    const float xs[4] = {x, x + w, x + w, x};
    const float ys[4] = {y, y, y + h, y + h};
    const float us[4] = {0, 1, 1, 0};
    const float vs[4] = {0, 0, 1, 1};
    for (int i = 0; i < 4; ++i)
        q.v[i] = Vertex{xs[i], ys[i], z, color, us[i], vs[i]};
    q.tex = tex;
    q.blend = blend;
    return q;
}

class GlRenderDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::string why = testing_support::WindowTestSkipReason(); !why.empty()) {
            GTEST_SKIP() << why;
        }
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
        m_window =
            SDL_CreateWindow("test", 0, 0, kSize, kSize, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        ASSERT_NE(m_window, nullptr) << SDL_GetError();
        std::string error;
        ASSERT_TRUE(m_device.Init(kSize, kSize, m_window, false, error)) << error;
    }
    void TearDown() override {
        m_device.Shutdown();
        if (m_window)
            SDL_DestroyWindow(m_window);
        SDL_Quit();
    }

    // A screen scene whose picture is kept for Read().
    void BeginScreen() {
        m_device.KeepNextScreen();
        m_device.BeginScene(0, kSize, kSize);
    }
    std::vector<std::uint32_t> Read(HTARGET target = 0, int w = kSize, int h = kSize) {
        std::vector<std::uint32_t> pixels(static_cast<size_t>(w * h));
        EXPECT_TRUE(m_device.ReadPixels(target, w, h, pixels.data()));
        return pixels;
    }
    static std::uint32_t At(const std::vector<std::uint32_t>& p, int x, int y, int w = kSize) {
        return p[static_cast<size_t>(y * w + x)];
    }

    SDL_Window* m_window = nullptr;
    GlRenderDevice m_device;
};

TEST_F(GlRenderDeviceTest, EachBlendModeCombinesTextureVertexColourAndBackground) {
    const std::uint32_t texel = 0x80806040; // half transparent
    const std::uint32_t vertex = 0xFF204080;
    const Rgba bg{255, 0x40, 0x40, 0x40};
    m_device.CreateTexture(7, 1, 1, &texel);
    BeginScreen();
    m_device.Clear(0xFF404040);
    for (int mode = 0; mode < 8; ++mode)
        m_device.RenderQuad(MakeQuad(mode * 8.0f, 0, 8, 8, vertex, 7, mode));
    m_device.EndScene(false);
    auto pixels = Read();

    Rgba t = Split(texel), v = Split(vertex);
    for (int mode = 0; mode < 8; ++mode) {
        auto op = [&](int tc, int vc) {
            return (mode & BLEND_COLORADD) ? std::min(255, tc + vc) : tc * vc / 255;
        };
        const double alpha = t.a * v.a / 255.0 / 255.0;
        auto blend = [&](int src, int dst) {
            double out =
                (mode & BLEND_ALPHABLEND) ? src * alpha + dst * (1 - alpha) : src * alpha + dst;
            return std::min(255, int(std::lround(out)));
        };
        Rgba expected{255, blend(op(t.r, v.r), bg.r), blend(op(t.g, v.g), bg.g),
                      blend(op(t.b, v.b), bg.b)};
        EXPECT_TRUE(Near(At(pixels, mode * 8 + 4, 4), expected)) << "blend mode " << mode;
    }
}

TEST_F(GlRenderDeviceTest, UntexturedQuadsAndLinesUseTheVertexColour) {
    BeginScreen();
    m_device.Clear(0xFF000000);
    m_device.RenderQuad(MakeQuad(0, 0, 10, 10, 0xFF00FF00, 0, BLEND_DEFAULT));
    m_device.RenderQuad(MakeQuad(10, 0, 10, 10, 0xFF00FF00, 12345, BLEND_DEFAULT)); // unknown
    m_device.RenderLine(5, 20, 30, 20, 0xFFFF0000, 0.5f);
    m_device.RenderLine(40, 10, 40, 30, 0xFF0000FF, 0.5f);
    m_device.EndScene(false);
    auto p = Read();
    EXPECT_TRUE(Near(At(p, 5, 5), {255, 0, 255, 0}));
    EXPECT_TRUE(Near(At(p, 15, 5), {255, 0, 255, 0}));
    for (int x : {5, 17, 30})
        EXPECT_TRUE(Near(At(p, x, 20), {255, 255, 0, 0})) << x;
    EXPECT_TRUE(Near(At(p, 17, 19), {255, 0, 0, 0}));
    EXPECT_TRUE(Near(At(p, 17, 21), {255, 0, 0, 0}));
    EXPECT_TRUE(Near(At(p, 40, 10), {255, 0, 0, 255}));
    EXPECT_TRUE(Near(At(p, 40, 30), {255, 0, 0, 255}));
    EXPECT_TRUE(Near(At(p, 41, 20), {255, 0, 0, 0}));
}

TEST_F(GlRenderDeviceTest, TexturesKeepTheirOrientationAndSubRectUpdates) {
    // 2x2: top-left red, top-right green, bottom-left blue, bottom-right white.
    const std::uint32_t pixels[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    m_device.CreateTexture(3, 2, 2, pixels);
    // A locked 1x1 rectangle at (1, 1) out of rows of pitch 2.
    const std::uint32_t patch[4] = {0, 0, 0, 0xFFFFFF00};
    m_device.UpdateTexture(3, 1, 1, 1, 1, 2, patch + 3);
    // A rectangle hanging off the texture must not write outside it.
    m_device.UpdateTexture(3, 1, 1, 4, 4, 4, patch);
    BeginScreen();
    m_device.Clear(0xFF000000);
    m_device.RenderQuad(MakeQuad(0, 0, 32, 32, 0xFFFFFFFF, 3, BLEND_DEFAULT));
    m_device.EndScene(false);
    auto p = Read();
    EXPECT_TRUE(Near(At(p, 8, 8), {255, 255, 0, 0}));
    EXPECT_TRUE(Near(At(p, 24, 8), {255, 0, 255, 0}));
    EXPECT_TRUE(Near(At(p, 8, 24), {255, 0, 0, 255}));
    EXPECT_TRUE(Near(At(p, 24, 24), {255, 0, 0, 0})); // from the second update
}

TEST_F(GlRenderDeviceTest, RenderTargetTextureDrawsRightWayUp) {
    std::vector<std::uint32_t> none(16);
    EXPECT_FALSE(m_device.ReadPixels(0, 4, 4, none.data())); // no screen finished yet
    const HTEXTURE targetTexture = 20;
    ASSERT_TRUE(m_device.CreateTarget(1, targetTexture, 32, 32, false));
    m_device.BeginScene(1, 32, 32);
    m_device.Clear(0xFF0000FF);
    m_device.RenderQuad(MakeQuad(0, 0, 32, 8, 0xFFFF0000, 0, BLEND_DEFAULT)); // top band
    m_device.EndScene(false);
    auto target = Read(1, 32, 32);
    EXPECT_TRUE(Near(At(target, 16, 2, 32), {255, 255, 0, 0})); // top row first
    EXPECT_TRUE(Near(At(target, 16, 30, 32), {255, 0, 0, 255}));

    BeginScreen();
    m_device.Clear(0xFF000000);
    m_device.RenderQuad(MakeQuad(0, 0, 64, 64, 0xFFFFFFFF, targetTexture, BLEND_DEFAULT));
    m_device.EndScene(false);
    auto screen = Read();
    EXPECT_TRUE(Near(At(screen, 32, 4), {255, 255, 0, 0}));
    EXPECT_TRUE(Near(At(screen, 32, 60), {255, 0, 0, 255}));
    EXPECT_FALSE(m_device.ReadPixels(99, 4, 4, screen.data()));  // no such target
    EXPECT_FALSE(m_device.ReadPixels(1, 64, 64, screen.data())); // larger than it
}

TEST_F(GlRenderDeviceTest, TransformScalesAndRotatesAboutTheCentreThenShifts) {
    BeginScreen();
    m_device.Clear(0xFF000000);
    // A 20x4 bar centred on (32, 32), turned a quarter (to vertical), then
    // pushed 10 right.
    Transform t;
    t.x = 32, t.y = 32, t.dx = 10, t.dy = 0, t.rot = float(M_PI / 2), t.hscale = 1;
    t.vscale = 0; // follows hscale
    t.identity = false;
    m_device.SetTransform(t);
    m_device.RenderQuad(MakeQuad(22, 30, 20, 4, 0xFFFFFFFF, 0, BLEND_DEFAULT));
    // Doubled in size about (16, 16): a 4x4 square at (14, 14) covers 12..20.
    t = Transform{};
    t.x = 16, t.y = 16, t.hscale = 2, t.vscale = 2, t.identity = false;
    m_device.SetTransform(t);
    m_device.RenderQuad(MakeQuad(14, 14, 4, 4, 0xFF00FF00, 0, BLEND_DEFAULT));
    m_device.SetTransform(Transform{});
    m_device.RenderQuad(MakeQuad(60, 60, 4, 4, 0xFFFF0000, 0, BLEND_DEFAULT));
    m_device.EndScene(false);
    auto p = Read();
    EXPECT_TRUE(Near(At(p, 42, 24), {255, 255, 255, 255}));
    EXPECT_TRUE(Near(At(p, 42, 40), {255, 255, 255, 255}));
    EXPECT_TRUE(Near(At(p, 26, 32), {255, 0, 0, 0})); // where the unturned bar began
    EXPECT_TRUE(Near(At(p, 12, 12), {255, 0, 255, 0}));
    EXPECT_TRUE(Near(At(p, 19, 19), {255, 0, 255, 0}));
    EXPECT_TRUE(Near(At(p, 21, 21), {255, 0, 0, 0}));
    EXPECT_TRUE(Near(At(p, 62, 62), {255, 255, 0, 0})); // identity again
}

TEST_F(GlRenderDeviceTest, ShadersCompileOrReportAndTakeNamedFloats) {
    std::string error;
    EXPECT_FALSE(m_device.CreateShader(2, "void main() { fragColor = nonsense; }", error));
    EXPECT_NE(error.find("nonsense"), std::string::npos) << error;

    const char* source = "#version 330 core\n"
                         "uniform float tval;\n"
                         "void main() { fragColor = vec4(tval, BaseColor().g, 0.0, 1.0); }\n";
    ASSERT_TRUE(m_device.CreateShader(1, source, error)) << error;
    m_device.SetShaderFloat(1, "tval", 0.5f);
    m_device.SetShaderFloat(1, "absent", 1.0f); // ignored
    BeginScreen();
    m_device.Clear(0xFF000000);
    m_device.SetShader(1);
    m_device.RenderQuad(MakeQuad(0, 0, 10, 10, 0xFF00FF00, 0, BLEND_DEFAULT));
    // A new value applies only to what is drawn after it.
    m_device.SetShaderFloat(1, "tval", 1.0f);
    m_device.RenderQuad(MakeQuad(10, 0, 10, 10, 0xFF000000, 0, BLEND_DEFAULT));
    m_device.SetShader(0);
    m_device.RenderQuad(MakeQuad(20, 0, 10, 10, 0xFF0000FF, 0, BLEND_DEFAULT));
    m_device.DeleteShader(1);
    m_device.SetShader(1); // gone: built-in again
    m_device.RenderQuad(MakeQuad(30, 0, 10, 10, 0xFF0000FF, 0, BLEND_DEFAULT));
    m_device.EndScene(false);
    auto p = Read();
    EXPECT_TRUE(Near(At(p, 5, 5), {255, 128, 255, 0}));
    EXPECT_TRUE(Near(At(p, 15, 5), {255, 255, 0, 0}));
    EXPECT_TRUE(Near(At(p, 25, 5), {255, 0, 0, 255}));
    EXPECT_TRUE(Near(At(p, 35, 5), {255, 0, 0, 255}));
}

TEST_F(GlRenderDeviceTest, ClippingLimitsDrawingAndClearing) {
    BeginScreen();
    m_device.Clear(0xFF000000);
    m_device.SetClipping(8, 8, 16, 16);
    m_device.RenderQuad(MakeQuad(0, 0, 64, 64, 0xFFFFFFFF, 0, BLEND_DEFAULT));
    m_device.SetClipping(40, 40, 100, 100); // reaches past the edge
    m_device.Clear(0xFF0000FF);
    m_device.SetClipping(0, 0, 0, 0);
    m_device.EndScene(false);
    auto p = Read();
    EXPECT_TRUE(Near(At(p, 7, 7), {255, 0, 0, 0}));
    EXPECT_TRUE(Near(At(p, 8, 8), {255, 255, 255, 255}));
    EXPECT_TRUE(Near(At(p, 23, 23), {255, 255, 255, 255}));
    EXPECT_TRUE(Near(At(p, 24, 24), {255, 0, 0, 0}));
    EXPECT_TRUE(Near(At(p, 39, 39), {255, 0, 0, 0}));
    EXPECT_TRUE(Near(At(p, 63, 63), {255, 0, 0, 255}));
}

TEST_F(GlRenderDeviceTest, ZWriteHidesFartherDrawsOnlyWhereThereIsAZBuffer) {
    for (bool zbuffer : {true, false}) {
        HTARGET target = zbuffer ? 1 : 2;
        ASSERT_TRUE(m_device.CreateTarget(target, 10 + target, 32, 32, zbuffer));
        m_device.BeginScene(target, 32, 32);
        m_device.Clear(0xFF000000);
        // ZWRITE at z 0.2, then one quad farther (0.8) and one as near (0.2).
        m_device.RenderQuad(
            MakeQuad(0, 0, 32, 32, 0xFFFF0000, 0, BLEND_DEFAULT | BLEND_ZWRITE, 0.2f));
        m_device.RenderQuad(MakeQuad(0, 0, 16, 32, 0xFF00FF00, 0, BLEND_DEFAULT, 0.8f));
        m_device.RenderQuad(MakeQuad(16, 0, 16, 32, 0xFF0000FF, 0, BLEND_DEFAULT, 0.2f));
        m_device.EndScene(false);
        auto p = Read(target, 32, 32);
        EXPECT_TRUE(Near(At(p, 8, 8, 32), zbuffer ? Rgba{255, 255, 0, 0} : Rgba{255, 0, 255, 0}))
            << "zbuffer " << zbuffer;
        EXPECT_TRUE(Near(At(p, 24, 8, 32), {255, 0, 0, 255})) << "zbuffer " << zbuffer;
    }
    // The screen has none unless asked for.
    m_device.SetScreenZBuffer(true);
    BeginScreen();
    m_device.Clear(0xFF000000);
    m_device.RenderQuad(MakeQuad(0, 0, 32, 32, 0xFFFF0000, 0, BLEND_DEFAULT | BLEND_ZWRITE, 0.2f));
    m_device.RenderQuad(MakeQuad(0, 0, 32, 32, 0xFF00FF00, 0, BLEND_DEFAULT, 0.8f));
    m_device.EndScene(false);
    EXPECT_TRUE(Near(At(Read(), 8, 8), {255, 255, 0, 0}));
}

TEST_F(GlRenderDeviceTest, ScreenPictureIsKeptOnRequestAndLetterboxedInBiggerWindows) {
    std::vector<std::uint32_t> pixels(kSize * kSize);
    auto frame = [&](std::uint32_t colour, bool keep) {
        if (keep)
            m_device.KeepNextScreen();
        m_device.BeginScene(0, kSize, kSize);
        m_device.Clear(colour);
        m_device.EndScene(true);
    };
    frame(0xFFFF0000, false);
    EXPECT_FALSE(m_device.ReadPixels(0, kSize, kSize, pixels.data())); // nothing kept
    frame(0xFF00FF00, true);
    frame(0xFF0000FF, false);
    ASSERT_TRUE(m_device.ReadPixels(0, kSize, kSize, pixels.data()));
    EXPECT_TRUE(Near(pixels[0], {255, 0, 255, 0})); // the kept frame, not the last one

    // A 64x64 picture in a 128x96 window: scaled 1.5 and centred.
    SDL_Window* wide =
        SDL_CreateWindow("wide", 0, 0, 128, 96, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    ASSERT_NE(wide, nullptr);
    GlRenderDevice device;
    std::string error;
    ASSERT_TRUE(device.Init(kSize, kSize, wide, false, error)) << error;
    device.KeepNextScreen();
    device.BeginScene(0, kSize, kSize);
    device.Clear(0xFF000000);
    device.RenderQuad(MakeQuad(0, 0, 16, 16, 0xFFFFFFFF, 0, BLEND_DEFAULT));
    device.EndScene(true);
    int x, y, w, h;
    device.GetScreenViewport(x, y, w, h);
    EXPECT_EQ(x, 16);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(w, 96);
    EXPECT_EQ(h, 96);
    ASSERT_TRUE(device.ReadPixels(0, kSize, kSize, pixels.data())); // logical size, unscaled
    EXPECT_TRUE(Near(pixels[8 * kSize + 8], {255, 255, 255, 255}));
    EXPECT_TRUE(Near(pixels[20 * kSize + 20], {255, 0, 0, 0}));
    device.Shutdown();
    SDL_DestroyWindow(wide);
}

TEST_F(GlRenderDeviceTest, LongRunsWithAlternatingTexturesKeepEveryQuad) {
    const std::uint32_t red = 0xFFFF0000, green = 0xFF00FF00;
    m_device.CreateTexture(1, 1, 1, &red);
    m_device.CreateTexture(2, 1, 1, &green);
    BeginScreen();
    m_device.Clear(0xFF000000);
    // More quads than one batch holds, each row alternating textures.
    for (int i = 0; i < BatchedRenderDevice::kMaxQuads + 100; ++i) {
        int cell = i % (kSize * kSize / 4);
        float x = float(cell % 32) * 2, y = float(cell / 32) * 2;
        m_device.RenderQuad(
            MakeQuad(x, y, 2, 2, 0xFFFFFFFF, (cell / 32) % 2 ? 2 : 1, BLEND_DEFAULT));
    }
    m_device.EndScene(true);
    auto p = Read(); // still there after presenting
    for (int y = 1; y < kSize; y += 2)
        EXPECT_TRUE(Near(At(p, 33, y), (y / 2) % 2 ? Rgba{255, 0, 255, 0} : Rgba{255, 255, 0, 0}))
            << y;
}

TEST_F(GlRenderDeviceTest, QuadsWrittenInPlaceJoinTheBatchAndDrawLikeSingleOnes) {
    const std::uint32_t red = 0xFFFF0000;
    m_device.CreateTexture(1, 1, 1, &red);
    BeginScreen();
    m_device.Clear(0xFF000000);
    const std::uint64_t batches = m_device.BatchesDrawn();
    // Left half one quad at a time, right half written in place: one batch.
    m_device.RenderQuad(MakeQuad(0, 0, 32, 64, 0xFFFFFFFF, 1, BLEND_DEFAULT));
    int room = 0;
    Vertex* v = m_device.ReserveQuads(1, BLEND_DEFAULT, room);
    ASSERT_GE(room, 2);
    for (int row = 0; row < 2; ++row) {
        const Quad q = MakeQuad(32, row * 32.0f, 32, 32, row ? 0xFF0000FF : 0xFFFFFFFF, 1, 0);
        std::copy(q.v, q.v + 4, v + row * 4);
    }
    m_device.CommitQuads(2);
    m_device.EndScene(false);
    EXPECT_EQ(m_device.BatchesDrawn() - batches, 1u);
    auto p = Read();
    EXPECT_TRUE(Near(At(p, 10, 50), {255, 255, 0, 0}));
    EXPECT_TRUE(Near(At(p, 50, 10), {255, 255, 0, 0}));
    EXPECT_TRUE(Near(At(p, 50, 50), {255, 0, 0, 0})); // red texel times blue
}

} // namespace
