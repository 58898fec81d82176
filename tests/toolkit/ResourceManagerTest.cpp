#include "toolkit/ResourceManager.h"
#include "tests/toolkit/ResourceTestFixture.h"
#include "toolkit/Animation.h"
#include "toolkit/BitmapFont.h"
#include "toolkit/DistortionMesh.h"
#include "toolkit/EngineResources.h"
#include "toolkit/ParticleSystem.h"
#include "toolkit/Sprite.h"
#include "toolkit/StringTable.h"
#include "toolkit/ToolkitResources.h"

#include <cstring>

namespace {

using ResourceManagerTest = ResourceTestFixture;

TEST_F(ResourceManagerTest, PrecacheStopsAtTheFirstFailure) {
    WriteImage("a.png");
    WriteImage("c.png");
    // Lists run newest first: c, then the missing b, then a.
    Write("p.res", "Texture a { filename = a.png }\nTexture b { filename = b.png }\n"
                   "Texture c { filename = c.png }\nSprite s { texture = a }\n");
    ResourceManager manager("p.res");
    EXPECT_FALSE(manager.Precache(0));
    EXPECT_NE(manager.FindRecord(kKindTexture, "c")->m_handle, 0u);
    EXPECT_EQ(manager.FindRecord(kKindTexture, "a")->m_handle, 0u);
    EXPECT_EQ(manager.FindRecord(kKindSprite, "s")->m_handle, 0u);
}

TEST_F(ResourceManagerTest, PrecacheOfAGroupCreatesOnlyThatGroup) {
    WriteImage("a.png");
    Write("g.res", "Texture a { filename = a.png resgroup = 2 }\n"
                   "Texture missing { filename = none.png resgroup = 3 }\n"
                   "Target t { resgroup = 2 size = 64, 32 }\n");
    ResourceManager manager("g.res");
    EXPECT_TRUE(manager.Precache(2));
    EXPECT_NE(manager.FindRecord(kKindTexture, "a")->m_handle, 0u);
    ResDesc* target = manager.FindRecord(kKindTarget, "t");
    ASSERT_NE(target->m_handle, 0u);
    HTEXTURE targetTexture = m_engine->Target_GetTexture(static_cast<HTARGET>(target->m_handle));
    EXPECT_EQ(m_engine->Texture_GetWidth(targetTexture, true), 64);
    target->Free();
    EXPECT_EQ(target->m_handle, 0u);
    EXPECT_FALSE(manager.Precache(3));
}

TEST_F(ResourceManagerTest, GetTextureLoadsAnUnnamedFileOnce) {
    WriteImage("img.png");
    ResourceManager manager;
    HTEXTURE first = manager.GetTexture("img.png");
    ASSERT_NE(first, 0u);
    EXPECT_EQ(manager.GetTexture("img.png"), first);
    const auto* record = static_cast<const RTexture*>(manager.FirstRecord(kKindTexture));
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->m_next, nullptr);
    EXPECT_STREQ(record->m_name, "img.png");
    EXPECT_STREQ(record->m_filename, "img.png");
    EXPECT_EQ(manager.GetTexture("absent.png", 4), 0u);
    EXPECT_EQ(manager.FindRecord(kKindTexture, "absent.png"), nullptr);
}

TEST_F(ResourceManagerTest, ANameFiledAgainFindsTheNewRecord) {
    ResourceManager manager;
    auto* first = new RTexture();
    first->SetName("t");
    manager.AddRecord(kKindTexture, first);
    EXPECT_EQ(manager.FindRecord(kKindTexture, "t"), first);
    auto* second = new RTexture();
    second->SetName("t");
    manager.AddRecord(kKindTexture, second);
    EXPECT_EQ(manager.FindRecord(kKindTexture, "t"), second);
    EXPECT_EQ(manager.FindRecord(kKindTexture, "u"), nullptr);
    EXPECT_EQ(manager.FindRecord(kKindSprite, "t"), nullptr);
}

TEST_F(ResourceManagerTest, SpritesAndAnimationsAreDressedAsDefined) {
    WriteImage("img.png");
    Write("s.res", "Texture tex { filename = img.png }\n"
                   "Sprite s { texture = tex rect = 0, 0, 2, 1 hotspot = 1, 0.5 color = FF804020\n"
                   "  zorder = 0.75 blendmode = COLORADD flip = true, false }\n"
                   "Sprite lost { texture = nowhere.png rect = 0, 0, 8, 8 }\n"
                   "Animation a { texture = tex rect = 0, 0, 1, 1 frames = 4 mode = REVERSE }\n");
    ResourceManager manager("s.res");
    Sprite* sprite = manager.GetSprite("s");
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(manager.GetSprite("s"), sprite);
    EXPECT_EQ(sprite->GetTexture(), manager.GetTexture("tex"));
    EXPECT_EQ(sprite->GetColor(3), 0xFF804020u);
    EXPECT_EQ(sprite->GetZ(2), 0.75f);
    EXPECT_EQ(sprite->GetBlendMode(), 3);
    float hx = 0, hy = 0;
    sprite->GetHotSpot(&hx, &hy);
    EXPECT_EQ(hx, 1.0f);
    EXPECT_EQ(hy, 0.5f);
    bool fx = false, fy = true;
    sprite->GetFlip(&fx, &fy);
    EXPECT_TRUE(fx);
    EXPECT_FALSE(fy);

    Sprite* lost = manager.GetSprite("lost");
    ASSERT_NE(lost, nullptr);
    EXPECT_EQ(lost->GetTexture(), 0u);
    EXPECT_EQ(manager.GetSprite("nothing"), nullptr);

    ASSERT_TRUE(manager.Precache(0));
    auto* anim = static_cast<Animation*>(
        reinterpret_cast<Sprite*>(manager.FindRecord(kKindAnimation, "a")->m_handle));
    EXPECT_EQ(anim->GetFrames(), 4);
    EXPECT_EQ(anim->GetMode(), 5);
    EXPECT_EQ(anim->GetFrame(), 3);
}

TEST_F(ResourceManagerTest, FontsParticlesMeshesAndTables) {
    WriteImage("img.png");
    Write("table.txt", "[STRINGTABLE]\nhello = \"world\"\n");
    Write("t.res", "Sprite spark { texture = img.png rect = 0, 0, 1, 1 }\n"
                   "Particle fire { filename = none.psi sprite = spark }\n"
                   "Particle bare { filename = none.psi }\n"
                   "Font f { filename = none.fnt scale = 2 tracking = 1.5 color = FF00FF00 }\n"
                   "Distortion d { texture = img.png rect = 0, 0, 4, 2 mesh = 3, 4 }\n"
                   "StringTable tb { filename = table.txt }\n"
                   "Resource raw { filename = table.txt }\n");
    ResourceManager manager("t.res");
    ParticleSystem* fire = manager.GetParticleSystem("fire");
    ASSERT_NE(fire, nullptr);
    EXPECT_EQ(fire->GetInfo().sprite, manager.GetSprite("spark"));
    EXPECT_EQ(manager.GetParticleSystem("bare")->GetInfo().sprite, nullptr);

    BitmapFont* font = manager.GetFont("f");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->GetScale(), 2.0f);
    EXPECT_EQ(font->GetTracking(), 1.5f);
    EXPECT_EQ(font->GetColor(), 0xFF00FF00u);

    ASSERT_TRUE(manager.Precache(0));
    auto* mesh =
        reinterpret_cast<DistortionMesh*>(manager.FindRecord(kKindDistortion, "d")->m_handle);
    EXPECT_EQ(mesh->GetColumns(), 3);
    EXPECT_EQ(mesh->GetRows(), 4);
    EXPECT_EQ(mesh->GetTexture(), manager.GetTexture("img.png"));
    auto* table =
        reinterpret_cast<StringTable*>(manager.FindRecord(kKindStringTable, "tb")->m_handle);
    EXPECT_STREQ(table->GetString("hello"), "world");
    auto* raw = reinterpret_cast<const char*>(manager.FindRecord(kKindResource, "raw")->m_handle);
    EXPECT_EQ(std::strncmp(raw, "[STRINGTABLE]", 13), 0);
}

} // namespace
