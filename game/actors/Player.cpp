#include "game/actors/Player.h"

#include "content/EntityDefinition.h"
#include "game/core/Game.h"
#include "game/core/GameClock.h"
#include "game/ui/Inventory.h"
#include "game/world/RunAction.h"
#include "game/world/World.h"
#include "platform/registry/Registry.h"
#include "toolkit/Sprite.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kDegreesPerRadian = 57.2957763671875f;
// A full inventory says so at most this often while the player walks over
// an item it cannot take.
constexpr float kFullNoticeInterval = 0.5f;

// The area two boxes share; 0 when they only touch or lie apart.
float SharedArea(const CollisionBox& a, const CollisionBox& b) {
    const float w = std::min(a.Right(), b.Right()) - std::max(a.Left(), b.Left());
    const float h = std::min(a.Bottom(), b.Bottom()) - std::max(a.Top(), b.Top());
    return w > 0 && h > 0 ? w * h : 0.0f;
}

} // namespace

Player& ThePlayer() {
    return Registry::Current().Get<Player>();
}

Player::Player() : m_box(&x, &y, 0, 0) {
    Game* game = TheGame();
    if (!game) {
        return;
    }
    x = static_cast<float>(game->screenWidth / 2);
    y = static_cast<float>(game->screenHeight / 2);
    m_sprite = game->resources ? game->resources->GetSprite("player") : nullptr;
    if (!m_sprite) {
        game->engine->System_Log("The sprite \"player\" is missing: the player is not drawn");
        return;
    }
    width = m_sprite->GetWidth();
    height = m_sprite->GetHeight();
    m_box.SetSize(width, height);
    m_box.SetOffset(-width / 2, -height / 2);
}

void Player::MoveStep(int direction) {
    Game& game = *TheGame();
    const float oldX = x;
    const float oldY = y;
    const float a = static_cast<float>(direction) / kDegreesPerRadian;
    const float dt = TheGameClock().delta;
    const float stepX = dt * speed * std::cos(a);
    const float stepY = dt * speed * std::sin(a);
    x += stepX;
    y += stepY;
    const float newX = x;
    const float newY = y;
    bool blocked = false;
    // By index: an action may not touch the world's lists, but the walk must
    // not depend on that.
    const std::vector<MapEntity*>& entities = TheWorld().ActiveEntities();
    for (std::size_t i = 0; i < entities.size(); ++i) {
        const MapEntity& entity = *entities[i];
        const EntityDefinition& definition = entity.Definition();
        if (!CollisionBox::Overlap(entity.Box(), m_box)) {
            continue;
        }
        if (definition.collidesWithPlayer) {
            if (blocked) {
                continue; // already back where it stood
            }
            // A player already inside a box (a restart, a reload, a box
            // bigger than a step) may take any step that does not go
            // deeper, or it could never get out.
            const float overlapAfter = SharedArea(entity.Box(), m_box);
            x = oldX;
            y = oldY;
            const bool wasInside = CollisionBox::Overlap(entity.Box(), m_box);
            // (A hair of tolerance: the same overlap, sliding, rounds both ways.)
            if (wasInside && overlapAfter <= SharedArea(entity.Box(), m_box) + 0.01f) {
                x = newX;
                y = newY;
            } else {
                blocked = true;
            }
        } else if (!definition.playerTrigger.empty()) {
            RunAction(game, definition.playerTrigger, 0.2f);
        }
    }
    if (!blocked) {
        game.cameraX += stepX;
        game.cameraY += stepY;
    }
    PickUpItems();
}

void Player::Arrive() {
    Game& game = *TheGame();
    const std::vector<MapEntity*>& entities = TheWorld().ActiveEntities();
    for (std::size_t i = 0; i < entities.size(); ++i) {
        const EntityDefinition& definition = entities[i]->Definition();
        if (!definition.collidesWithPlayer && !definition.playerTrigger.empty() &&
            CollisionBox::Overlap(entities[i]->Box(), m_box)) {
            RunAction(game, definition.playerTrigger, 0.2f);
        }
    }
}

void Player::PickUpItems() {
    World& world = TheWorld();
    Inventory& inventory = TheInventory();
    for (std::size_t i = 0; i < world.ActiveItems().size();) {
        if (!CollisionBox::Overlap(world.ActiveItems()[i]->Box(), m_box)) {
            ++i;
            continue;
        }
        if (inventory.IsFull()) {
            // The item stays where it lies, so a full inventory loses nothing.
            const float now = TheGameClock().time;
            if (m_lastFullNotice < 0 || now >= m_lastFullNotice + kFullNoticeInterval) {
                inventory.SayFull();
                m_lastFullNotice = now;
            }
            ++i;
            continue;
        }
        inventory.AddItem(world.TakeActiveItem(i));
    }
}

void Player::Render(float mouseX, float mouseY) {
    Game& game = *TheGame();
    if (!game.paused) {
        facing = 90.0f - std::atan2(mouseX - x + game.cameraX, mouseY - y + game.cameraY) *
                             kDegreesPerRadian;
    }
    if (m_sprite) {
        m_sprite->RenderEx(x, y, facing / kDegreesPerRadian, 1.0f, 0.0f);
    }
}
