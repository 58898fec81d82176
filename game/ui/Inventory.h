// The player's 10 x 5 item grid, drawn over the centre of the screen while
// open (which pauses the game). Items are used with the right mouse button.
#pragma once

#include "game/world/ItemInstance.h"
#include "toolkit/CollisionBox.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

class Inventory : Pinned {
public:
    static constexpr int kColumns = 10;
    static constexpr int kRows = 5;
    static constexpr int kCells = kColumns * kRows;
    static constexpr float kCellSize = 64.0f;

    // Placed over the centre of the game's screen.
    Inventory();

    // Into the lowest free cell, with the "... was added" notice; a full
    // inventory says so and returns false (the item is then destroyed: the
    // player checks IsFull first, so a world item is never lost).
    bool AddItem(std::unique_ptr<ItemInstance> item);
    // Into that cell; an occupied (or impossible) cell says "Inventory is
    // full!" and returns false.
    bool PutItemInCell(int cell, std::unique_ptr<ItemInstance> item);
    bool IsFull() const { return FreeCell() < 0; }
    // The "Inventory is full!" notice.
    void SayFull();

    // Each frame while open, with the frame's key: a right click on the
    // hovered cell uses its item.
    void Update(int key);
    // Each frame while open: outlines, the hovered cell, the icons.
    void Draw();

    const std::vector<std::unique_ptr<ItemInstance>>& Items() const { return m_items; }
    int HoveredCell() const { return m_hovered; }
    float Left() const { return m_left; }
    float Top() const { return m_top; }

    bool open = false;

private:
    int FreeCell() const;
    bool Occupied(int cell) const;
    void Hold(int cell, std::unique_ptr<ItemInstance> item);

    struct Cell {
        float x = 0;
        float y = 0;
        std::optional<CollisionBox> box;
    };

    float m_left;
    float m_top;
    int m_hovered = -1;
    std::vector<std::unique_ptr<ItemInstance>> m_items; // in the order they came
    std::array<Cell, kCells> m_cells;
    float m_panelX;
    float m_panelY;
    CollisionBox m_panel;
    int m_screenWidth;
    int m_screenHeight;
};

Inventory& TheInventory();
