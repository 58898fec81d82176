// The game's layer over the effects library: lookup, duplicates and their
// restore files, play states, and drawing through sprites on the atlases.
#include "toolkit/fx/FX_Atlas_WRAP.h"
#include "toolkit/fx/FX_Emitter.h"
#include "toolkit/fx/FX_FrameList.h"
#include "toolkit/fx/FX_Frame_WRAP.h"
#include "toolkit/fx/FX_Manager.h"
#include "platform/registry/Registry.h"
#include "tests/support/TestSupport.h"
#include "toolkit/Sprite.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

const char* kEffects = R"(<effects>
  <emitter name="Burst" length="0.3" update="0.02">
    <type name="plain"><emission><burst t="0" count="3"/></emission><life min="0.2" max="0.2"/>
      <textures><texture file="fx/textures/glow.png" width="64" height="64"/></textures></type>
    <type name="bright" intensive="1"><emission><burst t="0" count="2"/></emission>
      <life min="0.2" max="0.2"/>
      <textures><texture file="fx/textures/spark.png" width="16" height="16"/></textures></type>
  </emitter>
  <folder name="more">
    <emitter name="Burst" length="5"><type><emission rate="10"/></type></emitter>
    <emitter name="Haze" length="2" update="0.02">
      <interval1 start="0.5" end="2"/>
      <type><emission rate="40"/><life min="1" max="1"/></type>
    </emitter>
  </folder>
</effects>
)";

class FxWrapperTest : public ::testing::Test {
protected:
    void SetUp() override {
        Registry::Current().Reset();
        m_temp = testing_support::MakeTempDir("fxwrap") + "/";
        m_data = testing_support::SourceDir() + "/data/";
    }
    void TearDown() override {
        m_manager.reset();
        Registry::Current().Reset();
    }

    FX_Manager& Load(const std::string& text = kEffects, int interpolation = 2) {
        std::string path = m_temp + "effects.fxd";
        testing_support::WriteFile(path, text);
        m_manager = std::make_unique<FX_Manager>(interpolation, 0, false, m_data, m_temp);
        m_manager->LoadEffectsFile(path.c_str());
        return *m_manager;
    }

    // Plays a copy as every user of effects does.
    FX_Emitter* Play(const char* name, float x = 0, float y = 0) {
        FX_Emitter* original = m_manager->EmitterByName(name);
        EXPECT_NE(original, nullptr) << name;
        FX_Emitter* copy = m_manager->GetEmitter(m_manager->Duplicate(original));
        copy->Move(x, y, 0);
        copy->SetState(FX_Emitter::kPlaying);
        return copy;
    }

    testing_support::HeadlessEngine m_engine;
    std::unique_ptr<FX_Manager> m_manager;
    std::string m_temp, m_data;
};

} // namespace

TEST_F(FxWrapperTest, LookupFindsTheFirstOfANameAndNothingForUnknownNames) {
    FX_Manager& manager = Load();
    ASSERT_EQ(manager.GetEmitterCount(), 3);
    FX_Emitter* burst = manager.EmitterByName("Burst");
    EXPECT_EQ(burst, manager.GetEmitter(0));
    EXPECT_EQ(Fx_GetUpdateTime(burst->GetHandle()), 0.02f); // the root's, not the folder's
    EXPECT_EQ(manager.EmitterByName("burst"), nullptr);
    EXPECT_EQ(manager.EmitterByName(nullptr), nullptr);
    for (int i = 0; i < manager.GetEmitterCount(); ++i) {
        EXPECT_EQ(manager.GetEmitter(i)->GetState(), FX_Emitter::kStopped);
        EXPECT_FALSE(Fx_IsInterpolationMode(manager.GetEmitter(i)->GetHandle()));
        EXPECT_FALSE(Fx_GetEmitterPositionMode(manager.GetEmitter(i)->GetHandle()));
    }

    // A file that cannot be read leaves nothing to find.
    m_manager = std::make_unique<FX_Manager>(2, 0, false, m_data, m_temp);
    EXPECT_FALSE(m_manager->LoadEffectsFile((m_temp + "absent.fxd").c_str()));
    EXPECT_EQ(m_manager->EmitterByName("Burst"), nullptr);
}

TEST_F(FxWrapperTest, DuplicatesPlayToTheirEndAndLeaveTheRegisterWhenDestroyed) {
    FX_Manager& manager = Load();
    FX_Emitter* copy = Play("Burst", 40, 50);
    EXPECT_EQ(manager.GetEmitterCount(), 4);
    EXPECT_EQ(Fx_GetEmitterPosition(copy->GetHandle()).x, 40);
    EXPECT_FALSE(Fx_GetEmitterPositionMode(copy->GetHandle())); // restored after the move
    copy->Update(1.0f);
    EXPECT_EQ(Fx_GetTime(copy->GetHandle()), 0.02f); // its own step, interpolation being off
    EXPECT_EQ(copy->Draw(), 5);
    int updates = 1;
    while (copy->GetState() == FX_Emitter::kPlaying && updates < 100) {
        copy->Update(1.0f / 60);
        ++updates;
    }
    EXPECT_EQ(copy->GetState(), FX_Emitter::kStopped);
    EXPECT_NEAR(updates, 15, 1);
    EXPECT_EQ(copy->Draw(), 0);

    delete copy;
    EXPECT_EQ(manager.GetEmitterCount(), 3);
    EXPECT_EQ(manager.EmitterByName("Burst"), manager.GetEmitter(0));
    manager.StopAll(); // touches no destroyed emitter
}

TEST_F(FxWrapperTest, RestartsUseNumberedRestoreFilesThatDieWithTheEmitter) {
    FX_Manager& manager = Load();
    FX_Emitter* haze = Play("Haze");
    FX_Emitter* burst = Play("Burst");
    burst->Update(0);
    EXPECT_EQ(burst->GetRestoreFile(), ""); // no first interval, no file
    haze->Update(0);
    std::string first = haze->GetRestoreFile();
    EXPECT_EQ(first.rfind(m_temp + "fx", 0), 0u);
    ASSERT_TRUE(std::filesystem::exists(first));
    EXPECT_TRUE(Fx_InInterval(haze->GetHandle()));
    EXPECT_GT(Fx_GetParticleCount(haze->GetHandle()), 10); // started already going

    // Stopped and played again: back into the interval from the same file.
    haze->SetState(FX_Emitter::kStopped);
    EXPECT_FALSE(Fx_InInterval(haze->GetHandle()));
    haze->SetState(FX_Emitter::kPlaying);
    EXPECT_TRUE(Fx_InInterval(haze->GetHandle()));
    EXPECT_EQ(haze->GetRestoreFile(), first);

    // A restart takes the next number and removes the old file.
    haze->Restart();
    EXPECT_NE(haze->GetRestoreFile(), first);
    EXPECT_FALSE(std::filesystem::exists(first));
    std::string second = haze->GetRestoreFile();
    EXPECT_TRUE(std::filesystem::exists(second));
    delete haze;
    EXPECT_FALSE(std::filesystem::exists(second));
    delete burst;
    EXPECT_EQ(manager.GetEmitterCount(), 3);
}

TEST_F(FxWrapperTest, IntensiveTypesDrawAdditivelyAndTheNextTypeNormally) {
    FX_Manager& manager = Load();
    FX_Emitter* copy = Play("Burst", 100, 100);
    copy->Update(0);
    m_engine->Gfx_RecordDraws(true);
    ASSERT_EQ(copy->Draw(), 5);
    std::vector<DrawRecord> draws = m_engine->Gfx_TakeDrawRecords();
    m_engine->Gfx_RecordDraws(false);
    ASSERT_EQ(draws.size(), 5u);
    // Types go last to first: the two bright ones, then the three plain ones.
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(draws[static_cast<std::size_t>(i)].quad.blend,
                  i < 2 ? BLEND_COLORMUL | BLEND_ALPHAADD | BLEND_NOZWRITE : BLEND_DEFAULT)
            << i;
        EXPECT_NE(draws[static_cast<std::size_t>(i)].quad.tex, 0u);
    }
    // A particle of size 16 at the emitter is a 16 x 16 quad around it.
    const Quad& quad = draws[4].quad;
    EXPECT_FLOAT_EQ(quad.v[0].x, 92);
    EXPECT_FLOAT_EQ(quad.v[2].y, 108);
    EXPECT_EQ(quad.v[0].col, 0xFFFFFFFFu);

    // The glow was copied into the atlas where the sprite reads it.
    Engine* engine = m_engine.get();
    HTEXTURE atlas = quad.tex;
    const std::uint32_t* pixels = engine->Texture_Lock(atlas, true);
    ASSERT_NE(pixels, nullptr);
    int width = engine->Texture_GetWidth(atlas);
    int x = static_cast<int>((quad.v[0].tx + quad.v[2].tx) / 2 * static_cast<float>(width));
    int y = static_cast<int>((quad.v[0].ty + quad.v[2].ty) / 2 * static_cast<float>(width));
    EXPECT_GT(pixels[y * width + x] >> 24, 200u); // the glow's bright middle
    engine->Texture_Unlock(atlas);
    delete copy;
    EXPECT_EQ(manager.GetEmitterCount(), 3);
}

TEST_F(FxWrapperTest, MirroredDescriptionsGiveMirroredSprites) {
    FX_Manager& manager = Load();
    FX_FrameList list(&manager, 0);
    FxTexture texture;
    texture.file = "fx/textures/star.png";
    texture.textureWidth = texture.textureHeight = 1024;
    texture.left = 0.75f; // right of its right edge: mirrored
    texture.right = 0.5f;
    texture.top = 0.25f;
    texture.bottom = 0.5f;
    texture.frameWidth = 256;
    texture.frameHeight = 256;
    FX_Frame_WRAP frame(&list);
    frame.SetTexture(&texture);
    ASSERT_NE(frame.GetSprite(), nullptr);
    bool flipX = false, flipY = true;
    frame.GetSprite()->GetFlip(&flipX, &flipY);
    EXPECT_TRUE(flipX);
    EXPECT_FALSE(flipY);
    float x, y, w, h;
    frame.GetSprite()->GetTextureRect(&x, &y, &w, &h);
    EXPECT_EQ(x, 512);
    EXPECT_EQ(y, 256);
    EXPECT_EQ(w, 256);
    const Quad& quad = frame.GetSprite()->GetQuad();
    EXPECT_GT(quad.v[0].tx, quad.v[1].tx); // left corner reads the right edge
}

TEST_F(FxWrapperTest, ParticlesOnHighNumberedAtlasesDraw) {
    // However many atlases an effects file fills, each number gets its own.
    FX_Manager& manager = Load();
    FxTexture texture;
    texture.file = "fx/textures/spark.png";
    texture.textureWidth = texture.textureHeight = 32;
    texture.right = texture.bottom = 0.5f;
    texture.frameWidth = texture.frameHeight = 16;
    FX_Atlas* low = manager.Atlas(63, &texture);
    FX_Atlas* high = manager.Atlas(64, &texture);
    ASSERT_NE(high, nullptr);
    EXPECT_NE(high, low);
    EXPECT_EQ(manager.Atlas(64, &texture), high);
    EXPECT_NE(manager.Atlas(200, &texture), nullptr);

    FX_FrameList list(&manager, 130);
    FX_Frame_WRAP frame(&list);
    frame.SetTexture(&texture);
    const std::uint64_t before = m_engine->Gfx_GetStats().quads;
    FxParticle particle;
    particle.width = particle.height = 4;
    frame.DrawParticle(particle);
    EXPECT_EQ(m_engine->Gfx_GetStats().quads, before + 1);
}

TEST_F(FxWrapperTest, TheShippedEffectsLoadAndDraw) {
    std::string path = m_data + "fx/effects.fxd";
    m_manager = std::make_unique<FX_Manager>(2, 0, false, m_data, m_temp);
    ASSERT_TRUE(m_manager->LoadEffectsFile(path.c_str()));
    for (const char* name : {"Circle of Flame", "Inferno", "Blizzard", "Earthquake", "Tornado",
                             "Will-o-Wisps", "Drifting Mist", "Embers", "Magic Circle"}) {
        FX_Emitter* copy = Play(name, 300, 200);
        int most = 0;
        for (int i = 0; i < 30; ++i) {
            copy->Update(1.0f / 60);
            most = std::max(most, copy->Draw());
        }
        EXPECT_GT(most, 5) << name;
        delete copy;
    }
    EXPECT_EQ(m_manager->GetEmitterCount(), 9);
}

TEST_F(FxWrapperTest, ManagerSettingsReachEveryLoadedEmitter) {
    const char* file = "<effects><emitter name='a' interpolate='1'/>"
                       "<emitter name='b' interpolate='0'/></effects>";
    Load(file, 0); // 0 leaves the file's own setting
    EXPECT_TRUE(Fx_IsInterpolationMode(m_manager->EmitterByName("a")->GetHandle()));
    EXPECT_FALSE(Fx_IsInterpolationMode(m_manager->EmitterByName("b")->GetHandle()));
    Load(file, 1);
    EXPECT_TRUE(Fx_IsInterpolationMode(m_manager->EmitterByName("b")->GetHandle()));

    m_manager = std::make_unique<FX_Manager>(2, 1, true, m_data, m_temp);
    std::string path = m_temp + "effects.fxd";
    m_manager->LoadEffectsFile(path.c_str());
    FxHandle a = m_manager->EmitterByName("a")->GetHandle();
    EXPECT_FALSE(Fx_IsInterpolationMode(a));
    EXPECT_EQ(Fx_GetLoopMode(a), 1);
    EXPECT_TRUE(Fx_GetEmitterPositionMode(a));
    EXPECT_TRUE(Fx_GetEmitterDirectionMode(a));
}

TEST_F(FxWrapperTest, InterruptedEmittersStopWithoutTheLibraryAndResumeCleanly) {
    FX_Manager& manager = Load();
    FX_Emitter* haze = Play("Haze");
    haze->Update(0);
    FxHandle handle = haze->GetHandle();
    int particles = Fx_GetParticleCount(handle);
    ASSERT_GT(particles, 0);
    Fx_SetInterrupt(handle, true);
    haze->SetState(FX_Emitter::kInterrupted);
    haze->Update(0); // interrupted emitters still play out
    EXPECT_GT(Fx_GetParticleCount(handle), 0);
    manager.StopAll();
    EXPECT_EQ(haze->GetState(), FX_Emitter::kStopped);
    EXPECT_GT(Fx_GetParticleCount(handle), 0); // not stopped in the library
    haze->SetState(FX_Emitter::kPlaying);
    EXPECT_FALSE(Fx_IsInterrupt(handle));
    delete haze;
}

TEST_F(FxWrapperTest, DuplicatesOutliveTheirManagerSafely) {
    Load();
    FX_Emitter* copy = Play("Burst");
    copy->Update(0);
    m_manager.reset(); // the file's emitters go; the copy is only cut loose
    EXPECT_EQ(copy->Draw(), 0);
    delete copy;
    EXPECT_EQ(Fx_GetLiveEmitterCount(), 0);
}

TEST_F(FxWrapperTest, AtlasCopiesScaleByNearestNeighbour) {
    Engine* engine = m_engine.get();
    HTEXTURE source = engine->Texture_Load((m_data + "fx/textures/spark.png").c_str());
    ASSERT_NE(source, 0u);
    ASSERT_EQ(engine->Texture_GetWidth(source, true), 16);
    std::vector<std::uint32_t> original(256);
    const std::uint32_t* pixels = engine->Texture_Lock(source, true);
    std::copy(pixels, pixels + 256, original.begin());
    engine->Texture_Unlock(source);
    engine->Texture_Free(source);

    FX_Atlas_WRAP atlas(64, 64);
    FxTexture texture;
    texture.file = "fx/textures/spark.png";
    texture.textureWidth = texture.textureHeight = 64;
    texture.left = 0.5f; // mirrored: the copy still starts at the smaller edge
    texture.right = 0.375f;
    texture.top = 0.25f;
    texture.bottom = 0.375f;
    texture.frameWidth = 8; // half size
    texture.frameHeight = 8;
    atlas.LoadTexture(&texture, m_data);
    const std::uint32_t* copied = engine->Texture_Lock(atlas.GetTexture(), true);
    ASSERT_NE(copied, nullptr);
    for (int j = 0; j < 8; ++j) {
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(copied[(16 + j) * 64 + 24 + i],
                      original[static_cast<std::size_t>(j * 2 * 16 + i * 2)])
                << i << "," << j;
        }
    }
    EXPECT_EQ(copied[15 * 64 + 24], 0u); // nothing outside the rectangle
    EXPECT_EQ(copied[16 * 64 + 32], 0u);
    engine->Texture_Unlock(atlas.GetTexture());

    texture.file = "fx/textures/none.png"; // a missing image changes nothing
    atlas.LoadTexture(&texture, m_data);
    texture.left = texture.right = 0.99f; // a place off the atlas is refused
    texture.file = "fx/textures/spark.png";
    atlas.LoadTexture(&texture, m_data);
}
