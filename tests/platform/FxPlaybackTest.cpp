// Playing emitters: ending, the first interval and its restore file, loop,
// placement modes, interrupts and interpolation.
#include "tests/platform/FxTestFixture.h"

#include <cmath>
#include <filesystem>

TEST_F(FxTest, BurstPlaysToItsEndAndStops) {
    FxHandle spark = Load(Open(), "", "Spark");
    EXPECT_FALSE(Fx_InInterval(spark)); // not started
    EXPECT_FALSE(Fx_IsInterval1(spark));
    Fx_Restart(spark);
    ASSERT_TRUE(Fx_Update(spark, 0.02f));
    std::vector<FxParticle> first = Particles(spark);
    ASSERT_EQ(first.size(), 10u);
    EXPECT_EQ(first[0].frame, 0);
    int updates = 1;
    while (Fx_Update(spark, 0.02f) && updates < 1000) {
        ++updates;
    }
    // Length 0.5 s at 0.02 s per step: it ends with the length, its particles gone.
    EXPECT_NEAR(updates, 25, 1);
    EXPECT_FALSE(Fx_InInterval(spark));
    EXPECT_EQ(Fx_GetParticleCount(spark), 0);
    EXPECT_FALSE(Fx_Update(spark, 0.02f));

    // A restart plays the same way again.
    Fx_Restart(spark);
    Fx_Update(spark, 0.02f);
    ExpectSameParticles(Particles(spark), first);
}

TEST_F(FxTest, FirstIntervalComesFromTheRestoreFileAsFromSimulating) {
    FxHandle file = Open();
    FxHandle simulated = Load(file, "ambient", "Mist");
    FxHandle restored = Fx_DuplicateEmitter(simulated);
    FxHandle stepped = Fx_DuplicateEmitter(simulated);
    ASSERT_TRUE(Fx_IsInterval1(simulated));
    std::string restore = m_dir + "/fx0";

    ASSERT_EQ(Fx_EmitterToInterval1(simulated, restore.c_str()), FX_OK);
    ASSERT_TRUE(std::filesystem::exists(restore));
    EXPECT_NEAR(Fx_GetTime(simulated), 1.0f, 1e-4);
    EXPECT_TRUE(Fx_InInterval(simulated));
    std::vector<FxParticle> expected = Particles(simulated);
    ASSERT_GT(expected.size(), 20u);

    ASSERT_EQ(Fx_EmitterToInterval1(restored, restore.c_str()), FX_OK);
    EXPECT_NEAR(Fx_GetTime(restored), 1.0f, 1e-4);
    ExpectSameParticles(Particles(restored), expected);

    Fx_Restart(stepped);
    for (int i = 0; i < 50; ++i) {
        Fx_Update(stepped, Fx_GetUpdateTime(stepped));
    }
    ExpectSameParticles(Particles(stepped), expected);

    // And they go on alike: the generator's state travels in the file.
    Fx_Update(restored, 0.02f);
    Fx_Update(stepped, 0.02f);
    ExpectSameParticles(Particles(restored), Particles(stepped));
}

TEST_F(FxTest, RestoreFileFollowsTheEmitterAndRejectsStrangers) {
    FxHandle file = Open();
    FxHandle mist = Load(file, "ambient", "Mist");
    std::string restore = m_dir + "/fx1";
    Fx_EmitterToInterval1(mist, restore.c_str());
    std::vector<FxParticle> atOrigin = Particles(mist);

    // Somewhere else the same state plays around the new place.
    FxHandle moved = Fx_DuplicateEmitter(mist);
    Fx_Stop(moved);
    Fx_SetEmitterPosition(moved, 300, -40);
    Fx_EmitterToInterval1(moved, restore.c_str());
    std::vector<FxParticle> there = Particles(moved);
    ASSERT_EQ(there.size(), atOrigin.size());
    EXPECT_NEAR(there[3].x, atOrigin[3].x + 300, 1e-3);
    EXPECT_NEAR(there[3].y, atOrigin[3].y - 40, 1e-3);

    // A file of another emitter, or a damaged one, is not used but remade.
    FxHandle spark = Load(file, "", "Spark");
    std::string other = m_dir + "/fx2";
    Fx_EmitterToInterval1(spark, other.c_str());
    FxHandle fresh = Load(file, "ambient", "Mist");
    Fx_EmitterToInterval1(fresh, other.c_str());
    ExpectSameParticles(Particles(fresh), atOrigin);
    std::string bytes = testing_support::ReadFile(restore);
    testing_support::WriteFile(restore, bytes.substr(0, bytes.size() / 2));
    FxHandle again = Load(file, "ambient", "Mist");
    Fx_EmitterToInterval1(again, restore.c_str());
    ExpectSameParticles(Particles(again), atOrigin);
    EXPECT_EQ(testing_support::ReadFile(restore), bytes);
}

TEST_F(FxTest, LoopModeRepeatsTheIntervalInsteadOfEnding) {
    FxHandle file = Open();
    FxHandle spark = Load(file, "", "Spark");
    Fx_SetLoopMode(spark, 1);
    Fx_Restart(spark);
    int burstsSeen = 0;
    for (int i = 0; i < 200; ++i) {
        int before = Fx_GetParticleCount(spark);
        ASSERT_TRUE(Fx_Update(spark, 0.02f)) << i;
        ASSERT_LT(Fx_GetTime(spark), 0.5f);
        burstsSeen += Fx_GetParticleCount(spark) == before + 10 ? 1 : 0;
    }
    EXPECT_NEAR(burstsSeen, 8, 1); // each round of 0.5 s bursts again, the first included

    FxHandle mist = Load(file, "ambient", "Mist");
    Fx_SetLoopMode(mist, 1);
    Fx_EmitterToInterval1(mist, "");
    for (int i = 0; i < 300; ++i) {
        ASSERT_TRUE(Fx_Update(mist, 0.02f));
        ASSERT_TRUE(Fx_InInterval(mist)) << Fx_GetTime(mist);
    }
    EXPECT_GT(Fx_GetParticleCount(mist), 0);
}

TEST_F(FxTest, SubEmittersAreInTheirIntervalUntilTheirParticlesFade) {
    FxHandle mist = Load(Open(), "ambient", "Mist");
    FxHandle late = Fx_GetEmitter(mist, 1);
    Fx_Restart(mist);
    auto runTo = [&](float until) {
        while (Fx_GetTime(mist) < until - 1e-4f) {
            Fx_Update(mist, 0.02f);
        }
    };
    runTo(1.4f);
    EXPECT_FALSE(Fx_InInterval(late));
    EXPECT_TRUE(Fx_InInterval(Fx_GetEmitter(mist, 0)));
    runTo(1.6f);
    EXPECT_TRUE(Fx_InInterval(late));
    runTo(1.84f); // emission over, the last particles live 0.1 s more
    EXPECT_TRUE(Fx_InInterval(late));
    runTo(1.96f);
    EXPECT_FALSE(Fx_InInterval(late));
}

TEST_F(FxTest, PositionAndDirectionModesGateThePlacement) {
    FxHandle spark = Load(Open(), "", "Spark");
    Fx_SetEmitterPositionMode(spark, false);
    Fx_SetEmitterPosition(spark, 100, 100);
    EXPECT_EQ(Fx_GetEmitterPosition(spark).x, 0); // ignored while the mode is off
    Fx_SetEmitterPositionMode(spark, true);
    Fx_SetEmitterPosition(spark, 100, 200);
    EXPECT_EQ(Fx_GetEmitterPosition(spark).y, 200);

    Fx_SetEmitterDirectionMode(spark, false);
    Fx_SetEmitterDirection(spark, 90);
    Fx_Restart(spark);
    Fx_Update(spark, 0.02f);
    Fx_Update(spark, 0.1f);
    for (const FxParticle& p : Particles(spark)) {
        EXPECT_GT(p.x, 100); // authored direction: +x
        EXPECT_FLOAT_EQ(p.y, 200);
    }
    Fx_SetEmitterDirectionMode(spark, true);
    Fx_SetEmitterDirection(spark, 90);
    Fx_Restart(spark);
    Fx_Update(spark, 0.02f);
    Fx_Update(spark, 0.1f);
    for (const FxParticle& p : Particles(spark)) {
        EXPECT_NEAR(p.x, 100, 1e-3);
        EXPECT_GT(p.y, 200); // turned to +y (down the screen)
    }
}

TEST_F(FxTest, InterruptStopsEmittingAndEndsWhenTheLastParticleDies) {
    FxHandle deep = Load(Open(), "ambient/deep", "Spark");
    Fx_Restart(deep);
    for (int i = 0; i < 60; ++i) {
        Fx_Update(deep, 1.0f / 60);
    }
    int before = Fx_GetParticleCount(deep);
    ASSERT_GT(before, 0);
    Fx_SetInterrupt(deep, true);
    EXPECT_TRUE(Fx_IsInterrupt(deep));
    EXPECT_TRUE(Fx_Update(deep, 0.5f));
    EXPECT_LE(Fx_GetParticleCount(deep), before);
    EXPECT_FALSE(Fx_Update(deep, 1.0f)); // life 1 s: all gone, the effect has ended
    Fx_Restart(deep);
    EXPECT_FALSE(Fx_IsInterrupt(deep));
}

TEST_F(FxTest, InterpolationSpreadsBirthsAlongTheEmittersPath) {
    FxHandle file = Open("<effects><emitter name='trail' update='0.1'><type>"
                         "<emission rate='100'/><life min='5' max='5'/></type></emitter>"
                         "</effects>");
    FxHandle plain = Load(file, "", "trail");
    FxHandle smooth = Fx_DuplicateEmitter(plain);
    Fx_SetInterpolationMode(smooth, true);
    EXPECT_TRUE(Fx_IsInterpolationMode(smooth));
    for (FxHandle emitter : {plain, smooth}) {
        Fx_Restart(emitter);
        Fx_SetEmitterPosition(emitter, 100, 0);
        Fx_Update(emitter, 0.1f);
    }
    std::vector<FxParticle> a = Particles(plain);
    std::vector<FxParticle> b = Particles(smooth);
    ASSERT_EQ(a.size(), 10u);
    ASSERT_EQ(b.size(), 10u);
    for (const FxParticle& p : a) {
        EXPECT_FLOAT_EQ(p.x, 100);
    }
    float low = 100, high = 0;
    for (const FxParticle& p : b) {
        low = std::min(low, p.x);
        high = std::max(high, p.x);
    }
    EXPECT_LT(low, 10);
    EXPECT_GT(high, 90);
}

// The shipped effects: every one loads, one-shots end within a few seconds
// with particles on the way, and map effects are still going after a minute.
TEST_F(FxTest, AuthoredEffectsLoadAndPlay) {
    std::string path = testing_support::SourceDir() + "/data/fx/effects.fxd";
    FxHandle file = 0;
    ASSERT_EQ(Fx_OpenFile(path.c_str(), &file), FX_OK) << m_engine.ReadLog();
    const std::vector<std::pair<std::string, std::vector<std::string>>> expected = {
        {"combat", {"Circle of Flame"}},
        {"spells", {"Inferno", "Blizzard", "Earthquake", "Tornado"}},
        {"ambient", {"Will-o-Wisps", "Drifting Mist", "Embers", "Magic Circle"}}};
    for (const auto& [folder, names] : expected) {
        for (const std::string& name : names) {
            FxHandle emitter = Load(file, folder.c_str(), name.c_str());
            bool ambient = folder == "ambient";
            EXPECT_EQ(Fx_IsInterval1(emitter), ambient) << name;
            Fx_SetLoopMode(emitter, ambient ? 1 : 0);
            Fx_EmitterToInterval1(emitter, "");
            int most = 0, steps = 0;
            while (Fx_Update(emitter, Fx_GetUpdateTime(emitter)) && steps < 3600) {
                most = std::max(most, Fx_GetParticleCount(emitter));
                ++steps;
            }
            EXPECT_GT(most, 5) << name;
            if (ambient) {
                EXPECT_EQ(steps, 3600) << name;
            } else {
                EXPECT_LT(steps, 180) << name; // a few seconds at most
            }
        }
    }
    Fx_CreateAtlases(1024, 1024, 1, 0.1f);
    EXPECT_EQ(Fx_GetAtlasCount(), 1);
}

// What a particle shows over its life: size and colour keys, animation frames.
TEST_F(FxTest, ParticlesFollowTheirCurvesAndFrames) {
    FxHandle file = Open(R"(<effects><emitter name='life' update='0.1'>
      <type name='grow'><emission><burst t='0' count='1'/></emission><life min='1' max='1'/>
        <size><key t='0' v='10'/><key t='0.5' v='30'/><key t='1' v='30'/></size>
        <color><key t='0' c='FF0000FF'/><key t='1' c='00FF0000'/></color></type>
      <type name='loop'><emission><burst t='0' count='1'/></emission><life min='1' max='1'/>
        <textures fps='10'><texture file='a' width='4' height='4'/>
          <texture file='b' width='4' height='4'/><texture file='c' width='4' height='4'/>
        </textures></type>
      <type name='once'><emission><burst t='0' count='1'/></emission><life min='1' max='1'/>
        <textures animation='life'><texture file='a' width='4' height='4'/>
          <texture file='b' width='4' height='4'/></textures></type>
    </emitter></effects>)");
    FxHandle life = Load(file, "", "life");
    FxHandle sub = Fx_GetEmitter(life, 0);
    Fx_Restart(life);
    auto at = [&](int type) {
        FxParticleType* locked = Fx_LockParticlesType(sub, type);
        FxParticle particle;
        EXPECT_TRUE(Fx_GetNextParticle(locked, &particle));
        EXPECT_FALSE(Fx_GetNextParticle(locked, &particle)); // one each
        Fx_UnlockParticlesType(locked);
        return particle;
    };
    Fx_Update(life, 0.1f); // born this step: age 0
    EXPECT_FLOAT_EQ(at(0).width, 10);
    EXPECT_EQ(at(0).color, 0xFF0000FFu);
    for (int i = 0; i < 4; ++i) {
        Fx_Update(life, 0.1f);
    }
    // 0.4 s into a 1 s life: 40% of the way, 80% up the first size key.
    EXPECT_NEAR(at(0).width, 26, 0.5);
    EXPECT_NEAR(static_cast<double>(at(0).color >> 24), 153, 2);
    EXPECT_EQ(at(1).frame, 1); // 10 fps from frame 0, 0.4 s: 4 mod 3
    EXPECT_EQ(at(2).frame, 0);
    for (int i = 0; i < 2; ++i) {
        Fx_Update(life, 0.1f);
    }
    EXPECT_EQ(at(1).frame, 0);
    EXPECT_EQ(at(2).frame, 1); // past half its life
}
