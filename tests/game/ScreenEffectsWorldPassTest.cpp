// The world effects as the running game draws them: a few headless frames of
// the real game, with an effect started between two of them.
#include "game/actors/Player.h"
#include "game/core/Game.h"
#include "game/core/ScreenEffects.h"
#include "platform/registry/Registry.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Sprite.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kFrames = 12;

bool IsTransform(const DrawRecord& r, float dx, float dy) {
    return r.kind == DrawRecord::Kind::Transform && r.a[2] == dx && r.a[3] == dy;
}

} // namespace

TEST(ScreenEffectsWorldPassTest, AStartedEffectIsDrawnInTheWorldPassBeforeTheHud) {
    Registry::Current().Reset();
    testing_support::InDataDir inData;
    const std::string dir = testing_support::MakeTempDir("worldpass");
    EngineOptions options;
    options.headless = true;
    options.noDialogs = true;
    options.frames = kFrames;
    options.logFile = dir + "/log.txt";
    // An empty map: the world pass then holds the player and the effect.
    testing_support::WriteFile(dir + "/empty.xml", "<map name='empty'/>");
    options.mapFile = dir + "/empty.xml";
    SetEngineOptions(options);
    Engine* engine = EngineCreate(ENGINE_VERSION);

    std::vector<DrawRecord> lastFrame;
    int worldEffects = 0;
    engine->System_SetState(ENGINE_FRAMEENDFUNC, [&] {
        const int frame = engine->System_GetFrame();
        if (frame == 0) {
            EXPECT_TRUE(TheScreenEffects().StartEffect("Circle of Flame", 300, 200));
        } else if (frame == kFrames - 2) {
            engine->Gfx_RecordDraws(true);
        } else if (frame == kFrames - 1) {
            lastFrame = engine->Gfx_TakeDrawRecords();
            worldEffects = TheScreenEffects().WorldEffectCount();
        }
        return false;
    });
    auto game = std::make_unique<Game>();

    ASSERT_EQ(worldEffects, 1);
    // The world pass opens with the camera transform (the camera is at 0, 0)
    // and the HUD pass with its tenth-of-a-pixel shift.
    std::size_t world = lastFrame.size(), hud = lastFrame.size();
    for (std::size_t i = 0; i < lastFrame.size(); ++i) {
        if (world == lastFrame.size() && IsTransform(lastFrame[i], 0, 0)) {
            world = i;
        } else if (world < i && IsTransform(lastFrame[i], 0.1f, 0.1f)) {
            hud = i;
            break;
        }
    }
    ASSERT_LT(hud, lastFrame.size());
    int particles = 0;
    for (std::size_t i = world; i < hud; ++i) {
        const Sprite* player = ThePlayer().GetSprite();
        if (lastFrame[i].kind == DrawRecord::Kind::Quad &&
            !(player && lastFrame[i].quad.tex == player->GetTexture())) {
            ++particles;
            // Drawn around where the effect was started, from an atlas.
            EXPECT_NE(lastFrame[i].quad.tex, 0u);
            EXPECT_NEAR(lastFrame[i].quad.v[0].x, 300, 200);
            EXPECT_NEAR(lastFrame[i].quad.v[0].y, 200, 200);
        }
    }
    EXPECT_GT(particles, 0);

    game.reset();
    SetTheGame(nullptr);
    Registry::Current().Reset();
    engine->Release();
    SetEngineOptions(EngineOptions{});
}
