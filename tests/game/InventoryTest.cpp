#include "tests/game/GameTestFixture.h"

#include "game/actors/Player.h"
#include "game/ui/Inventory.h"
#include "overlays/AlertList.h"

namespace {

class InventoryTest : public GameTestFixture {
protected:
    std::unique_ptr<ItemInstance> Make(const char* name) {
        return std::make_unique<ItemInstance>(*m_definitions.Item(name), 0.0f, 0.0f, *m_resources);
    }
    Inventory& inventory() { return TheInventory(); }
    const Alert& LastAlert() { return Registry::Current().Get<AlertList>().Alerts().back(); }
    void Hover(int cell) {
        m_game->mouseX = inventory().Left() + static_cast<float>(cell % 10) * 64 + 32;
        m_game->mouseY = inventory().Top() + static_cast<float>(cell / 10) * 64 + 32;
        inventory().Draw();
    }
};

} // namespace

TEST_F(InventoryTest, SitsOverTheScreenCentreAndFillsTheLowestFreeCell) {
    EXPECT_EQ(inventory().Left(), 512 - 320);
    EXPECT_EQ(inventory().Top(), 384 - 160);
    ASSERT_TRUE(inventory().AddItem(Make("Bread")));
    EXPECT_EQ(inventory().Items()[0]->cell, 0);
    EXPECT_EQ(LastAlert().text, "Bread was added to your inventory!");
    EXPECT_EQ(LastAlert().colour, 0xFFC8C8C8u);
    EXPECT_EQ(LastAlert().x, 1014);
    EXPECT_TRUE(LastAlert().screenFixed);
    ASSERT_TRUE(inventory().PutItemInCell(3, Make("Key")));
    ASSERT_TRUE(inventory().PutItemInCell(1, Make("Key")));
    ASSERT_TRUE(inventory().AddItem(Make("Bread")));
    EXPECT_EQ(inventory().Items().back()->cell, 2);
}

TEST_F(InventoryTest, AFullInventoryAndAnOccupiedCellSaySo) {
    for (int i = 0; i < Inventory::kCells; ++i) {
        ASSERT_TRUE(inventory().AddItem(Make("Key")));
    }
    EXPECT_TRUE(inventory().IsFull());
    EXPECT_FALSE(inventory().AddItem(Make("Key")));
    EXPECT_EQ(LastAlert().text, "Inventory is full!");
    EXPECT_EQ(LastAlert().x, inventory().Left() + 160);
    EXPECT_EQ(LastAlert().y, inventory().Top() - 20);
    EXPECT_EQ(LastAlert().align, 2);
    Registry::Current().Reset();
}

TEST_F(InventoryTest, PuttingIntoATakenCellFailsEvenWithOthersFree) {
    ASSERT_TRUE(inventory().PutItemInCell(5, Make("Key")));
    EXPECT_FALSE(inventory().PutItemInCell(5, Make("Bread")));
    EXPECT_FALSE(inventory().PutItemInCell(50, Make("Bread")));
    EXPECT_FALSE(inventory().PutItemInCell(-1, Make("Bread")));
    EXPECT_EQ(LastAlert().text, "Inventory is full! x3");
    EXPECT_EQ(inventory().Items().size(), 1u);
}

TEST_F(InventoryTest, HoveringIsStrictlyInsideACell) {
    Hover(13);
    EXPECT_EQ(inventory().HoveredCell(), 13);
    m_game->mouseX = inventory().Left() + 64; // the edge between cells 0 and 1
    m_game->mouseY = inventory().Top() + 10;
    inventory().Draw();
    EXPECT_EQ(inventory().HoveredCell(), -1);
    m_game->mouseX = inventory().Left() - 5;
    inventory().Draw();
    EXPECT_EQ(inventory().HoveredCell(), -1);
    EXPECT_TRUE(m_game->paused); // drawing it holds the pause
}

TEST_F(InventoryTest, UsingRunsTheCommandUsedUpItemsGoKeptOnesStay) {
    Player& player = ThePlayer();
    ASSERT_TRUE(inventory().PutItemInCell(0, Make("Bread")));
    ASSERT_TRUE(inventory().PutItemInCell(1, Make("Key")));
    Hover(1);
    inventory().Update(VK_RBUTTON);
    inventory().Update(VK_RBUTTON);
    EXPECT_EQ(player.health, 1002); // the key's command, every use
    EXPECT_EQ(inventory().Items().size(), 2u);
    Hover(0);
    inventory().Update(VK_LBUTTON);
    EXPECT_EQ(inventory().Items().size(), 2u);
    inventory().Update(VK_RBUTTON);
    EXPECT_EQ(player.health, 1007);
    ASSERT_EQ(inventory().Items().size(), 1u);
    EXPECT_EQ(inventory().Items()[0]->cell, 1);
    // An empty cell, and outside the grid: nothing.
    inventory().Update(VK_RBUTTON);
    Hover(30);
    inventory().Update(VK_RBUTTON);
    EXPECT_EQ(player.health, 1007);
}
