#include "tests/game/GameTestFixture.h"

#include "toolkit/fx/FX_Emitter.h"
#include "toolkit/BitmapFont.h"
#include "toolkit/ParticleSystem.h"

using WorldTest = GameTestFixture;

TEST_F(WorldTest, AnEntityTouchingTheViewEdgeIsActiveAndOnePixelBeyondIsNot) {
    const float half = SpriteWidth("tree_oak") / 2;
    const float halfHigh = m_resources->GetSprite("tree_oak")->GetHeight() / 2;
    MapContents map;
    map.entities = {At("tree", 1024 + half, 100), At("tree", 1025 + half, 100),
                    At("tree", 100, -halfHigh), At("tree", 100, -halfHigh - 0.5f)};
    Populate(map);
    EXPECT_EQ(m_world->InactiveEntities().size(), 4u); // everything starts set aside
    Update();
    ASSERT_EQ(m_world->ActiveEntityCount(), 2);
    EXPECT_FLOAT_EQ(m_world->ActiveEntities()[0]->X(), 1024 + half);
    EXPECT_FLOAT_EQ(m_world->ActiveEntities()[1]->Y(), -halfHigh);
}

TEST_F(WorldTest, TheActiveCountFollowsTheCameraAcrossTheMap) {
    MapContents map;
    for (int i = 0; i < 10; ++i) {
        map.entities.push_back(At("tree", 500.0f + 1000.0f * static_cast<float>(i), 300));
    }
    Populate(map);
    std::vector<int> counts;
    for (m_game->cameraX = 0; m_game->cameraX <= 9000; m_game->cameraX += 500) {
        Update();
        counts.push_back(m_world->ActiveEntityCount());
    }
    // The 1024-wide view holds one or two of the trees, a thousand pixels apart.
    EXPECT_EQ(counts, (std::vector<int>{1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1}));
    const auto& active = m_world->ActiveEntities();
    ASSERT_EQ(active.size(), 1u);
    EXPECT_FLOAT_EQ(active[0]->X(), 9500);
    EXPECT_EQ(m_world->InactiveEntities().size(), 9u);
}

TEST_F(WorldTest, DynamicEntitiesKeepTheirParticlesRunningOffScreen) {
    MapContents map;
    map.entities = {At("torch", 500, 300), At("ghost", 600, 300)};
    Populate(map);
    for (int i = 0; i < 30; ++i) {
        Update();
    }
    MapEntity* torch = m_world->ActiveEntities()[0];
    MapEntity* ghost = m_world->ActiveEntities()[1];
    ASSERT_NE(torch->Particles(), nullptr);
    // The oldest live particle's age tells whether a system ran.
    auto age = [](MapEntity* entity) { return entity->Particles()->GetParticle(0).age; };
    ASSERT_GT(torch->Particles()->GetParticlesAlive(), 0);
    const float torchAge = age(torch);
    const float ghostAge = age(ghost);

    m_game->cameraX = 5000;
    for (int i = 0; i < 30; ++i) {
        Update();
    }
    ASSERT_EQ(m_world->ActiveEntityCount(), 1);
    EXPECT_EQ(m_world->ActiveEntities()[0], ghost);
    EXPECT_FLOAT_EQ(age(torch), torchAge); // frozen off screen
    EXPECT_NE(age(ghost), ghostAge);

    m_game->cameraX = 0;
    Update();
    EXPECT_EQ(m_world->ActiveEntities()[1], torch); // back, at the end of the list
    EXPECT_NE(age(torch), torchAge);
}

TEST_F(WorldTest, EffectsHaveAFixedBoxAndUnknownNamesAreSkippedWithALine) {
    MapContents map;
    map.entities = {At("tree", 100, 100), At("bush_that_is_not", 1, 1)};
    map.effects = {At("Embers", 1024 + 175, 300), At("Embers", 1024 + 176, 300),
                   At("Nowhere", 100, 100), At("Unheard", 1, 1)};
    map.items = {At("Key", 50, 50), At("Crown", 1, 1)};
    map.effects[3].line = 7;
    Populate(map);
    Update();
    ASSERT_EQ(m_world->ActiveEntityCount(), 2);
    const MapEntity& embers = *m_world->ActiveEntities()[1];
    EXPECT_EQ(embers.Box().Width(), 350);
    EXPECT_EQ(embers.Box().Height(), 350);
    ASSERT_NE(embers.Effect(), nullptr);
    EXPECT_EQ(embers.Effect()->GetState(), FX_Emitter::kPlaying);
    EXPECT_EQ(m_world->InactiveEntities().size(), 1u);
    EXPECT_EQ(m_world->ActiveItems().size(), 1u);
    const std::string log = m_engine.ReadLog();
    EXPECT_NE(log.find("maps/test.xml:0: entity \"bush_that_is_not\" skipped: no entity "
                       "definition has that name"),
              std::string::npos);
    EXPECT_NE(log.find("effect \"Nowhere\" skipped: the effects file has no emitter"),
              std::string::npos);
    EXPECT_NE(log.find("maps/test.xml:7: effect \"Unheard\" skipped: no effect definition"),
              std::string::npos);
    EXPECT_NE(log.find("item \"Crown\" skipped"), std::string::npos);
}

TEST_F(WorldTest, TheTooltipShowsOnlyStrictlyInsideTheItem) {
    MapContents map;
    map.items = {At("Key", 200, 200)};
    Populate(map);
    Update();
    const float half = SpriteWidth("item_key") / 2;
    auto quadsDrawn = [&](float mouseX, float mouseY) {
        m_engine->Gfx_RecordDraws(true);
        m_world->Draw(false, mouseX, mouseY);
        std::size_t count = m_engine->Gfx_TakeDrawRecords().size();
        m_engine->Gfx_RecordDraws(false);
        return count;
    };
    const std::size_t plain = quadsDrawn(0, 0);
    EXPECT_EQ(plain, 1u); // the sprite alone
    EXPECT_EQ(quadsDrawn(200 - half, 200), plain);
    EXPECT_EQ(quadsDrawn(200, 200 + half), plain);
    const std::size_t inside = quadsDrawn(200 - half + 0.5f, 200);
    // "Key: An old key" in glyphs, and the underline.
    EXPECT_EQ(inside, plain + std::string("Key: An old key").size() + 1);
}

TEST_F(WorldTest, GroundDrawsUnderPropsWhicheverCameIntoViewFirst) {
    MapContents map;
    // The tree activates first; the ground patch only when the view reaches
    // its far side.
    map.entities = {At("tree", 1100, 300), At("ground", 1100 + 500, 300)};
    Populate(map);
    m_game->cameraX = 100;
    Update();
    ASSERT_EQ(m_world->ActiveEntityCount(), 1);
    m_game->cameraX = 400;
    Update();
    ASSERT_EQ(m_world->ActiveEntityCount(), 2);
    m_engine->Gfx_RecordDraws(true);
    m_world->Draw(false, 0, 0);
    std::vector<DrawRecord> draws = m_engine->Gfx_TakeDrawRecords();
    m_engine->Gfx_RecordDraws(false);
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].quad.tex, m_resources->GetSprite("ground_grass")->GetTexture());
    EXPECT_EQ(draws[1].quad.tex, m_resources->GetSprite("tree_oak")->GetTexture());
}

TEST_F(WorldTest, ItemsAwayFromTheViewAreSetAsideAndItemParticlesRunWhileActive) {
    MapContents map;
    map.items = {At("Bread", 300, 300), At("Key", 3000, 300)};
    Populate(map);
    Update();
    ASSERT_EQ(m_world->ActiveItems().size(), 1u);
    ItemInstance& bread = *m_world->ActiveItems()[0];
    EXPECT_EQ(bread.cell, -1);
    ASSERT_NE(bread.Particles(), nullptr);
    for (int i = 0; i < 30; ++i) {
        Update();
    }
    EXPECT_GT(bread.Particles()->GetParticlesAlive(), 0);
    std::unique_ptr<ItemInstance> taken = m_world->TakeActiveItem(0);
    EXPECT_EQ(taken.get(), &bread);
    EXPECT_TRUE(m_world->ActiveItems().empty());
    EXPECT_EQ(m_world->InactiveItems().size(), 1u);
}
