// The ripple composite drawn for real: a striped picture goes through the
// distortion mesh, flat before the ripple and bent after it.
#include "game/core/GameClock.h"
#include "game/core/ScreenEffects.h"
#include "platform/registry/Registry.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

class ScreenEffectsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::string why = testing_support::WindowTestSkipReason(); !why.empty()) {
            GTEST_SKIP() << why;
        }
        Registry::Current().Reset();
        m_dir = testing_support::MakeTempDir("ripple");
        EngineOptions options;
        options.noDialogs = true;
        options.logFile = m_dir + "/log.txt";
        SetEngineOptions(options);
        m_engine = EngineCreate(ENGINE_VERSION);
        m_engine->System_SetState(ENGINE_WINDOWED, true);
        m_engine->System_SetState(ENGINE_SCREENWIDTH, kWidth);
        m_engine->System_SetState(ENGINE_SCREENHEIGHT, kHeight);
        ASSERT_TRUE(m_engine->System_Initiate()) << m_engine->System_GetErrorMessage();
        m_picture = m_engine->Target_Create(kWidth, kHeight, false);
        m_result = m_engine->Target_Create(kWidth, kHeight, false);
        DrawStripes();
    }

    void TearDown() override {
        if (!m_engine) {
            return;
        }
        Registry::Current().Reset();
        m_engine->Target_Free(m_picture);
        m_engine->Target_Free(m_result);
        m_engine->System_Shutdown();
        m_engine->Release();
        SetEngineOptions(EngineOptions{});
    }

    // Horizontal stripes, 8 pixels high, so a vertical push shows.
    void DrawStripes() {
        m_engine->Gfx_BeginScene(m_picture);
        m_engine->Gfx_Clear(0xFF000000);
        for (int y = 0; y < kHeight; y += 16) {
            Quad q{};
            const float ys[4] = {float(y), float(y), float(y + 8), float(y + 8)};
            const float xs[4] = {0, kWidth, kWidth, 0};
            for (int i = 0; i < 4; ++i) {
                q.v[i] = Vertex{xs[i], ys[i], 0.5f, 0xFFFFFFFF, 0, 0};
            }
            q.blend = BLEND_DEFAULT;
            m_engine->Gfx_RenderQuad(&q);
        }
        m_engine->Gfx_EndScene();
    }

    // The composite's picture, as a column of brightness at x.
    std::vector<int> CompositeColumn(int x) {
        m_engine->Gfx_BeginScene(m_result);
        m_engine->Gfx_Clear(0xFF000000);
        TheScreenEffects().Composite();
        m_engine->Gfx_EndScene();
        HTEXTURE texture = m_engine->Target_GetTexture(m_result);
        std::uint32_t* pixels = m_engine->Texture_Lock(texture, true);
        std::vector<int> column;
        for (int y = 0; pixels && y < kHeight; ++y) {
            column.push_back(static_cast<int>(pixels[y * kWidth + x] & 0xFF));
        }
        m_engine->Texture_Unlock(texture);
        return column;
    }

    std::string m_dir;
    Engine* m_engine = nullptr;
    HTARGET m_picture = 0;
    HTARGET m_result = 0;
};

} // namespace

TEST_F(ScreenEffectsWindowTest, TheRippleBendsThePictureOnlyWhereItSpreads) {
    ScreenEffects& effects = TheScreenEffects();
    effects.UsePicture(m_engine->Target_GetTexture(m_picture));
    std::vector<int> flat = CompositeColumn(512);
    ASSERT_EQ(flat.size(), static_cast<size_t>(kHeight));
    // Flat mesh: the stripes come through where they were drawn.
    EXPECT_GT(flat[4], 200);
    EXPECT_LT(flat[12], 50);
    EXPECT_GT(flat[384 + 4], 200);

    GameClock& clock = TheGameClock();
    clock.time = 1.0f;
    effects.Ripple(512, 384);
    for (int i = 1; i <= 6; ++i) {
        clock.time = 1.0f + i * 0.016f;
        clock.delta = 0.016f;
        effects.Step();
    }
    std::vector<int> bent = CompositeColumn(512);
    int changedNearSource = 0;
    for (int y = 300; y < 470; ++y) {
        changedNearSource += std::abs(bent[y] - flat[y]) > 100;
    }
    EXPECT_GT(changedNearSource, 10);
    // Far from the source the picture is untouched.
    for (int y = 0; y < 100; ++y) {
        EXPECT_NEAR(bent[y], flat[y], 40) << "row " << y;
    }
}
