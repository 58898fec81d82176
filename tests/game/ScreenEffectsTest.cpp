#include "game/core/ScreenEffects.h"
#include "game/core/GameClock.h"
#include "platform/registry/Registry.h"
#include "tests/support/TestSupport.h"
#include "toolkit/fx/FX_Emitter.h"
#include "toolkit/fx/FX_Manager.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

class ScreenEffectsTest : public ::testing::Test {
protected:
    ScreenEffectsTest() { Registry::Current().Reset(); }
    ~ScreenEffectsTest() override { Registry::Current().Reset(); }

    void StepAt(float time, float delta) {
        clock().time = time;
        clock().delta = delta;
        effects().Step();
    }
    GameClock& clock() { return TheGameClock(); }
    ScreenEffects& effects() { return TheScreenEffects(); }

    bool InteriorIsZero() {
        for (int r = 1; r <= 126; ++r) {
            for (int c = 1; c <= 126; ++c) {
                if (effects().Height(r, c) != 0.0f) {
                    return false;
                }
            }
        }
        return true;
    }

    testing_support::InDataDir inData;
    testing_support::HeadlessEngine engine;
};

} // namespace

TEST_F(ScreenEffectsTest, ARippleSourceNearTheEdgeStartsNoRippleButTurnsEffectsOn) {
    effects().Ripple(5, 400); // 1024 / 127 = 8 px cells: column 0
    EXPECT_TRUE(effects().effectsOn);
    StepAt(0.01f, 0.016f);
    EXPECT_TRUE(InteriorIsZero());

    effects().Ripple(512, 384); // cell (64, 48) on 8 x 6 cells
    StepAt(0.02f, 0.016f);
    EXPECT_LT(effects().Height(64, 64), 0.0f);
    EXPECT_LT(effects().Height(65, 65), 0.0f);
    // The border never moves and the mesh node follows the height.
    EXPECT_EQ(effects().Height(0, 64), 0.0f);
    const auto node = effects().Mesh().GetNode(64, 64);
    const auto flat = effects().Mesh().GetNode(10, 10);
    EXPECT_NEAR(node->y - flat->y, 54 * (768.0f / 127) + effects().Height(64, 64), 0.01f);
}

TEST_F(ScreenEffectsTest, ADeltaOfOneSecondDampsTheInteriorToZero) {
    effects().SetHeight(40, 40, -60);
    effects().SetHeight(41, 40, 12);
    StepAt(5.0f, 1.0f); // no source: the ripple ended long ago
    EXPECT_TRUE(InteriorIsZero());
}

TEST_F(ScreenEffectsTest, APulseEndsWithEffectsOffEvenAfterMAndFreezesTheRipple) {
    effects().Ripple(512, 384);
    StepAt(0.05f, 0.016f);
    const float before = effects().Height(64, 64);
    effects().Toggle(); // off
    effects().Toggle(); // on again, by M
    effects().mode = 2;
    effects().shaderIndex = 1;
    clock().time = 1.0f;
    effects().ShaderPulse(0.5f);
    StepAt(1.2f, 0.016f);
    EXPECT_TRUE(effects().effectsOn);
    EXPECT_TRUE(effects().pulseActive);
    EXPECT_EQ(effects().Height(64, 64), before); // frozen during the pulse
    StepAt(1.51f, 0.016f);
    EXPECT_FALSE(effects().effectsOn);
    EXPECT_FALSE(effects().pulseActive);
    EXPECT_EQ(effects().mode, 2); // stays in pulse mode until the next ripple
}

TEST_F(ScreenEffectsTest, NamedEffectsPlayUntilTheyEndAndUnknownNamesMakeNone) {
    EXPECT_FALSE(effects().StartEffect("No Such Effect", 0, 0));
    ASSERT_TRUE(effects().StartEffect("Circle of Flame", 100, 100));
    EXPECT_EQ(effects().WorldEffectCount(), 1);
    clock().delta = 1.0f / 60;
    for (int i = 0; i < 60 * 10 && effects().WorldEffectCount() > 0; ++i) {
        effects().UpdateWorldEffects();
    }
    EXPECT_EQ(effects().WorldEffectCount(), 0);
}

TEST_F(ScreenEffectsTest, WorldEffectsKeepTheLibrarysPaceWhateverTheGameDelta) {
    // Updates until the effect ends, with the game's delta slowed to almost
    // nothing; an interpolating copy must still take the library's steps.
    auto updatesToEnd = [this](bool interpolate) {
        EXPECT_TRUE(effects().StartEffect("Circle of Flame", 100, 100));
        FX_Manager* manager = effects().EffectManager();
        FX_Emitter* copy = manager->GetEmitter(manager->GetEmitterCount() - 1);
        Fx_SetInterpolationMode(copy->GetHandle(), interpolate);
        clock().delta = 1e-6f;
        int updates = 0;
        while (effects().WorldEffectCount() > 0 && updates < 60 * 20) {
            effects().UpdateWorldEffects();
            ++updates;
        }
        return updates;
    };
    const int plain = updatesToEnd(false);
    EXPECT_LT(plain, 60 * 20);
    EXPECT_EQ(updatesToEnd(true), plain);
}

namespace {

// The ripple as its definition reads: the source, then four separate passes
// over the interior, each finished before the next begins.
struct ReferenceRipple {
    static constexpr int kN = ScreenEffects::kGrid;
    std::vector<float> a = std::vector<float>(kN * kN), v = a, h = a;

    void Step(float dt, bool source, int cx, int cy) {
        if (source && cx >= 2 && cx <= 126 && cy >= 2 && cy <= 126) {
            for (int r = cy; r <= cy + 1 && r < 127; ++r) {
                for (int c = cx; c <= cx + 1 && c < 127; ++c) {
                    h[r * kN + c] = -60;
                }
            }
        }
        for (int r = 1; r <= 126; ++r) {
            for (int c = 1; c <= 126; ++c) {
                const int i = r * kN + c;
                a[i] = h[i - kN] + h[i + kN] + h[i - 1] + h[i + 1] - 4 * h[i];
                v[i] += a[i];
            }
        }
        ForInterior([&](int i) { h[i] += v[i] * dt; });
        ForInterior([&](int i) { h[i] += v[i] * dt + a[i] * 0.015f; });
        ForInterior([&](int i) { h[i] *= (1 - dt); });
    }
    template <typename F> static void ForInterior(F f) {
        for (int r = 1; r <= 126; ++r) {
            for (int c = 1; c <= 126; ++c) {
                f(r * kN + c);
            }
        }
    }
};

} // namespace

TEST_F(ScreenEffectsTest, TheRippleStepIsExactlyItsFourPassesInOrder) {
    ReferenceRipple reference;
    std::uint32_t seed = 12345;
    ReferenceRipple::ForInterior([&](int i) {
        seed = seed * 1664525u + 1013904223u;
        const float height = static_cast<float>(seed >> 8) / 16777216.0f * 20 - 10;
        reference.h[i] = height;
        effects().SetHeight(i / ScreenEffects::kGrid, i % ScreenEffects::kGrid, height);
    });
    clock().time = 0;
    effects().Ripple(300, 200); // cells of 8 x 6 pixels: column 37, row 33
    for (int step = 0; step < 50; ++step) {
        const float t = 0.02f * static_cast<float>(step);
        reference.Step(0.016f, t < effects().rippleEnd, 37, 33);
        StepAt(t, 0.016f);
    }
    int differing = 0;
    for (int r = 0; r < ScreenEffects::kGrid; ++r) {
        for (int c = 0; c < ScreenEffects::kGrid; ++c) {
            differing += effects().Height(r, c) != reference.h[r * ScreenEffects::kGrid + c];
        }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_NE(effects().Height(60, 60), 0.0f);
}
