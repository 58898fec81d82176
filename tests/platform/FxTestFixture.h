// A fresh effects library over a headless engine, with a small effects file
// written for the tests, and helpers to read what an emitter shows.
#pragma once

#include "platform/fx/Fx.h"
#include "platform/registry/Registry.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

inline const char* kFxTestFile = R"(<effects>
  <emitter name="Spark" length="0.5" update="0.02" seed="3">
    <type name="bits" intensive="1">
      <emission><burst t="0" count="10"/></emission>
      <life min="0.2" max="0.3"/>
      <speed min="10" max="20"/>
      <direction angle="0" spread="0"/>
      <textures><texture file="a.png" width="32" height="32"/></textures>
    </type>
  </emitter>
  <folder name="ambient">
    <emitter name="Mist" length="2" update="0.02" seed="5">
      <interval1 start="1" end="2"/>
      <sub name="low">
        <type><emission rate="50"/><life min="0.5" max="1.5"/>
          <shape kind="box" width="100" height="20"/><gravity jitter="30"/>
          <speed min="2" max="9"/><size start="20" end="60" variation="0.5"/></type>
      </sub>
      <sub name="late" start="1.5" end="1.8">
        <type><emission rate="100"/><life min="0.1" max="0.1"/></type>
      </sub>
    </emitter>
    <folder name="deep">
      <emitter name="Spark" length="3"><type><emission rate="5"/></type></emitter>
    </folder>
  </folder>
</effects>
)";

class FxTest : public ::testing::Test {
protected:
    void SetUp() override {
        Registry::Current().Reset();
        m_dir = testing_support::MakeTempDir("fx");
    }
    void TearDown() override { Registry::Current().Reset(); }

    std::string Write(const std::string& name, const std::string& text) {
        std::string path = m_dir + "/" + name;
        testing_support::WriteFile(path, text);
        return path;
    }

    FxHandle Open(const std::string& text = kFxTestFile) {
        FxHandle file = 0;
        EXPECT_EQ(Fx_OpenFile(Write("test.fxd", text).c_str(), &file), FX_OK);
        return file;
    }

    FxHandle Load(FxHandle file, const char* folder, const char* name) {
        FxHandle emitter = 0;
        EXPECT_EQ(Fx_SetCurrentFolder(file, ""), FX_OK);
        EXPECT_EQ(Fx_SetCurrentFolder(file, folder), FX_OK);
        EXPECT_EQ(Fx_LoadEmitter(file, name, &emitter), FX_OK);
        return emitter;
    }

    // Every live particle, sub-emitter by sub-emitter, type by type.
    static std::vector<FxParticle> Particles(FxHandle emitter) {
        std::vector<FxParticle> all;
        for (int s = 0; s < Fx_GetEmitterCount(emitter); ++s) {
            FxHandle sub = Fx_GetEmitter(emitter, s);
            for (int t = 0; t < Fx_GetParticlesTypeCount(sub); ++t) {
                FxParticleType* type = Fx_LockParticlesType(sub, t);
                FxParticle particle;
                while (Fx_GetNextParticle(type, &particle)) {
                    all.push_back(particle);
                }
                Fx_UnlockParticlesType(type);
            }
        }
        return all;
    }

    static void ExpectSameParticles(const std::vector<FxParticle>& a,
                                    const std::vector<FxParticle>& b) {
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i) {
            EXPECT_FLOAT_EQ(a[i].x, b[i].x) << i;
            EXPECT_FLOAT_EQ(a[i].y, b[i].y) << i;
            EXPECT_FLOAT_EQ(a[i].width, b[i].width) << i;
            EXPECT_EQ(a[i].color, b[i].color) << i;
        }
    }

    testing_support::HeadlessEngine m_engine;
    std::string m_dir;
};
