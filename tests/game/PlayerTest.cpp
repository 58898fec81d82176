#include "tests/game/GameTestFixture.h"

#include "game/actors/Player.h"
#include "game/core/GameClock.h"
#include "game/ui/Inventory.h"
#include "overlays/AlertList.h"

namespace {

class PlayerTest : public GameTestFixture {
protected:
    void SetUp() override {
        GameTestFixture::SetUp();
        TheGameClock().delta = 1.0f / 60;
    }
    Player& player() { return ThePlayer(); }
};

} // namespace

TEST_F(PlayerTest, StartsAtTheScreenCentreSizedByItsSprite) {
    EXPECT_EQ(player().x, 512);
    EXPECT_EQ(player().y, 384);
    EXPECT_EQ(player().width, m_resources->GetSprite("player")->GetWidth());
    EXPECT_EQ(player().Box().Left(), 512 - player().width / 2);
    EXPECT_EQ(player().health, 1000);
}

TEST_F(PlayerTest, WalksAt130PixelsASecondAndTheCameraTakesTheSameSteps) {
    Place({});
    for (int i = 0; i < 60; ++i) {
        player().MoveStep(0);
    }
    EXPECT_NEAR(player().x, 512 + 130, 0.01);
    EXPECT_NEAR(m_game->cameraX, 130, 0.01);
    // The player keeps its place on the screen.
    EXPECT_NEAR(player().x - m_game->cameraX, 512, 0.01); // up to float rounding
    player().MoveStep(270);
    EXPECT_NEAR(player().y, 384 - 130.0f / 60, 1e-4);
}

TEST_F(PlayerTest, OppositeStepsCancelButBothRunTheTouchedTrigger) {
    MapContents map;
    map.entities = {At("spring", 512, 384)};
    Place(map);
    player().MoveStep(270);
    player().MoveStep(90);
    EXPECT_NEAR(player().y, 384, 1e-4);
    EXPECT_EQ(player().health, 1040);
    EXPECT_EQ(AlertTexts(), (std::vector<std::string>{"+20 Health x2"})); // one spot, counted
}

TEST_F(PlayerTest, ABlockedStepIsUndoneAfterEarlierTriggersRanAndTheCameraStays) {
    const float treeHalf = SpriteWidth("tree_oak") / 2;
    const float playerHalf = player().width / 2;
    MapContents map;
    // The spring comes first in the list; the tree lies just right of the player.
    map.entities = {At("spring", 512, 384), At("tree", 512 + playerHalf + treeHalf + 1, 384)};
    Place(map);
    player().MoveStep(0);
    EXPECT_EQ(player().x, 512);
    EXPECT_EQ(m_game->cameraX, 0);
    EXPECT_EQ(player().health, 1020);
    // Away from the tree the step goes through.
    player().MoveStep(180);
    EXPECT_LT(player().x, 512);
    EXPECT_LT(m_game->cameraX, 0);
}

TEST_F(PlayerTest, StandingStillFiresNothingAndEveryStepInContactFiresAgain) {
    MapContents map;
    map.entities = {At("spring", 512, 384)};
    Place(map);
    EXPECT_EQ(player().health, 1000);
    for (int i = 0; i < 5; ++i) {
        player().MoveStep(0);
    }
    EXPECT_EQ(player().health, 1100);
}

TEST_F(PlayerTest, ItemsTouchedGoIntoTheInventoryAndAFullInventoryLeavesThemLying) {
    MapContents map;
    map.items = {At("Bread", 512, 384), At("Key", 900, 384)};
    Place(map);
    player().MoveStep(0);
    Inventory& inventory = TheInventory();
    ASSERT_EQ(inventory.Items().size(), 1u);
    EXPECT_EQ(inventory.Items()[0]->Definition().name, "Bread");
    EXPECT_EQ(inventory.Items()[0]->cell, 0);
    EXPECT_EQ(m_world->ActiveItems().size(), 1u);
    EXPECT_EQ(AlertTexts().back(), "Bread was added to your inventory!");

    // Fill the inventory, then walk over another bread.
    for (int i = 1; i < Inventory::kCells; ++i) {
        ASSERT_TRUE(inventory.AddItem(
            std::make_unique<ItemInstance>(*m_definitions.Item("Key"), 0.0f, 0.0f, *m_resources)));
    }
    MapContents more;
    more.items = {At("Bread", player().x, 384)};
    Populate(more);
    Update();
    ASSERT_EQ(m_world->ActiveItems().size(), 2u);
    const std::size_t alerts = AlertTexts().size();
    GameClock& clock = TheGameClock();
    for (int frame = 0; frame < 60; ++frame) { // one second of walking on it
        clock.time = static_cast<float>(frame) / 60;
        player().MoveStep(frame % 2 ? 0 : 180);
    }
    EXPECT_EQ(m_world->ActiveItems().size(), 2u); // nothing lost
    EXPECT_EQ(inventory.Items().size(), 50u);
    std::vector<std::string> texts = AlertTexts();
    EXPECT_EQ(texts.size() - alerts, 1u);
    EXPECT_EQ(texts.back(), "Inventory is full! x2"); // at 0 and 0.5 s
}

TEST_F(PlayerTest, FacesTheMouseInTheWorldUnlessPaused) {
    Place({});
    m_game->cameraX = 100;
    player().x = 612; // on screen at 512
    player().Render(512, 484);
    EXPECT_NEAR(player().facing, 90, 1e-3); // straight down
    player().Render(412, 384);
    EXPECT_NEAR(player().facing, 180, 1e-3);
    m_game->paused = true;
    player().Render(612, 384);
    EXPECT_NEAR(player().facing, 180, 1e-3);
}
