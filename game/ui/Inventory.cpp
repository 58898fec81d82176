#include "game/ui/Inventory.h"

#include "content/ItemDefinition.h"
#include "game/core/Game.h"
#include "game/world/RunAction.h"
#include "overlays/AlertList.h"
#include "platform/registry/Registry.h"
#include "toolkit/Sprite.h"

namespace {

constexpr std::uint32_t kNoticeColour = 0xFFC8C8C8;

int ScreenWidth() {
    return TheGame() ? TheGame()->screenWidth : 1024;
}

int ScreenHeight() {
    return TheGame() ? TheGame()->screenHeight : 768;
}

} // namespace

Inventory& TheInventory() {
    return Registry::Current().Get<Inventory>();
}

Inventory::Inventory()
    : m_left(static_cast<float>(ScreenWidth() / 2) - 320.0f),
      m_top(static_cast<float>(ScreenHeight() / 2) - 160.0f), m_panelX(m_left), m_panelY(m_top),
      m_panel(&m_panelX, &m_panelY, kColumns * kCellSize, kRows * kCellSize),
      m_screenWidth(ScreenWidth()), m_screenHeight(ScreenHeight()) {
    for (int i = 0; i < kCells; ++i) {
        Cell& cell = m_cells[static_cast<std::size_t>(i)];
        cell.x = m_left + static_cast<float>(i % kColumns) * kCellSize;
        cell.y = m_top + static_cast<float>(i / kColumns) * kCellSize;
        cell.box.emplace(&cell.x, &cell.y, kCellSize, kCellSize);
    }
}

bool Inventory::Occupied(int cell) const {
    for (const auto& item : m_items) {
        if (item->cell == cell) {
            return true;
        }
    }
    return false;
}

int Inventory::FreeCell() const {
    for (int cell = 0; cell < kCells; ++cell) {
        if (!Occupied(cell)) {
            return cell;
        }
    }
    return -1;
}

void Inventory::SayFull() {
    Registry::Current().Get<AlertList>().AddAlert(kNoticeColour, "Inventory is full!", m_left + 160,
                                                  m_top - 20, 0.02f, 2, true);
}

void Inventory::Hold(int cell, std::unique_ptr<ItemInstance> item) {
    item->cell = cell;
    m_items.push_back(std::move(item));
}

bool Inventory::AddItem(std::unique_ptr<ItemInstance> item) {
    const int cell = FreeCell();
    if (cell < 0) {
        SayFull();
        return false;
    }
    Registry::Current().Get<AlertList>().AddAlert(
        kNoticeColour, item->Definition().name + " was added to your inventory!",
        static_cast<float>(m_screenWidth - 10), static_cast<float>(m_screenHeight - 30), 0.02f, 1,
        true);
    Hold(cell, std::move(item));
    return true;
}

bool Inventory::PutItemInCell(int cell, std::unique_ptr<ItemInstance> item) {
    if (cell < 0 || cell >= kCells || Occupied(cell)) {
        SayFull();
        return false;
    }
    Hold(cell, std::move(item));
    return true;
}

void Inventory::Update(int key) {
    Game& game = *TheGame();
    if (key != VK_RBUTTON || m_hovered == -1) {
        return;
    }
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i]->cell != m_hovered) {
            continue;
        }
        // The command may open a book or heal; a used-up item goes after it.
        const ItemDefinition& definition = m_items[i]->Definition();
        RunAction(game, definition.command, 0.0f);
        if (definition.type == 0) {
            m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(i));
        }
        return;
    }
}

void Inventory::Draw() {
    Game& game = *TheGame();
    game.paused = true;
    m_panel.DrawOutline();
    for (const Cell& cell : m_cells) {
        cell.box->DrawOutline();
    }
    m_hovered = -1;
    for (int i = 0; i < kCells; ++i) {
        if (m_cells[static_cast<std::size_t>(i)].box->Contains(game.mouseX, game.mouseY)) {
            m_hovered = i;
        }
    }
    if (m_hovered >= 0 && game.resources) {
        if (Sprite* highlight = game.resources->GetSprite("inv_icon")) {
            const Cell& cell = m_cells[static_cast<std::size_t>(m_hovered)];
            highlight->Render(cell.x, cell.y);
        }
    }
    for (const auto& item : m_items) {
        if (Sprite* icon = item->GetIcon()) {
            const Cell& cell = m_cells[static_cast<std::size_t>(item->cell)];
            icon->Render(cell.x + kCellSize / 2, cell.y + kCellSize / 2);
        }
    }
}
