#include "game/ui/HudBars.h"

#include "game/actors/EnemyManager.h"
#include "game/actors/Player.h"
#include "platform/engine/Engine.h"
#include "toolkit/BitmapFont.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr float kHealthBarWidth = 200.0f;
constexpr float kHealthBarHeight = 10.0f;
constexpr float kEnemyBarWidth = 32.0f;
constexpr float kEnemyBarHeight = 4.0f;
// Enemies farther than this from the player are no concern yet.
constexpr float kMarkerReach = 900.0f;
// How far inside the screen's edge an arrow's tip sits, and its size.
constexpr float kMarkerInset = 18.0f;
constexpr float kMarkerLength = 22.0f;
constexpr float kMarkerHalfWidth = 6.0f;

// The kinds' own colours, as their particles show them.
std::uint32_t KindColour(int kind) {
    switch (kind) {
    case kAggrevator:
        return 0xFFFF7A3C;
    case kMinionSoul:
        return 0xFF9FE6FF;
    case kMage:
        return 0xFFC58CFF;
    default:
        return 0xFFFFD24A;
    }
}

Quad Flat(std::uint32_t colour) {
    Quad quad{};
    quad.tex = 0;
    quad.blend = BLEND_DEFAULT;
    for (Vertex& vertex : quad.v) {
        vertex.z = 0.5f;
        vertex.col = colour;
    }
    return quad;
}

void FillRect(Engine& engine, float x, float y, float w, float h, std::uint32_t colour) {
    if (w <= 0 || h <= 0) {
        return;
    }
    Quad quad = Flat(colour);
    quad.v[0].x = x;
    quad.v[0].y = y;
    quad.v[1].x = x + w;
    quad.v[1].y = y;
    quad.v[2].x = x + w;
    quad.v[2].y = y + h;
    quad.v[3].x = x;
    quad.v[3].y = y + h;
    engine.Gfx_RenderQuad(&quad);
}

// A dark frame, then the filled share of the bar.
void Bar(Engine& engine, float x, float y, float w, float h, float share, std::uint32_t colour) {
    FillRect(engine, x - 1, y - 1, w + 2, h + 2, 0xC0000000);
    FillRect(engine, x, y, w * std::clamp(share, 0.0f, 1.0f), h, colour);
}

} // namespace

void RenderHealthBar(Engine& engine, BitmapFont& font, float x, float y, float health) {
    const float share = health / Player::kStartHealth;
    Bar(engine, x, y, kHealthBarWidth, kHealthBarHeight, share, 0xFFD03030);
    if (share > 1.0f) {
        // The overflow over the upper half, so the full bar still shows.
        FillRect(engine, x, y, kHealthBarWidth * std::min(share - 1.0f, 1.0f), kHealthBarHeight / 2,
                 0xFFFFD860);
    }
    font.printf(x + kHealthBarWidth + 8, y + kHealthBarHeight / 2 - font.GetHeight() / 2,
                BitmapFont::kLeft, "%d", static_cast<int>(health) / 10);
}

void RenderEnemyBars(Engine& engine) {
    for (const auto& enemy : TheEnemyManager().Enemies()) {
        if (enemy->maxHealth <= 0 || enemy->health >= enemy->maxHealth || enemy->health <= 0) {
            continue;
        }
        const float top = enemy->y - enemy->height / 2 - 10;
        Bar(engine, enemy->x - kEnemyBarWidth / 2, top, kEnemyBarWidth, kEnemyBarHeight,
            enemy->health / enemy->maxHealth, KindColour(enemy->kind));
    }
}

std::vector<EnemyMarker> FindEnemyMarkers(float cameraX, float cameraY, int screenWidth,
                                          int screenHeight) {
    std::vector<EnemyMarker> markers;
    const Player& player = ThePlayer();
    const float w = static_cast<float>(screenWidth);
    const float h = static_cast<float>(screenHeight);
    for (const auto& enemy : TheEnemyManager().Enemies()) {
        const float sx = enemy->x - cameraX;
        const float sy = enemy->y - cameraY;
        const bool onScreen = sx >= 0 && sx <= w && sy >= 0 && sy <= h;
        if (onScreen || std::hypot(enemy->x - player.x, enemy->y - player.y) > kMarkerReach) {
            continue;
        }
        // From the screen's middle towards the enemy, stopped at the edge.
        const float cx = w / 2;
        const float cy = h / 2;
        const float dx = sx - cx;
        const float dy = sy - cy;
        const float reachX = std::abs(dx) > 0 ? (cx - kMarkerInset) / std::abs(dx) : 1e9f;
        const float reachY = std::abs(dy) > 0 ? (cy - kMarkerInset) / std::abs(dy) : 1e9f;
        const float t = std::min(reachX, reachY);
        markers.push_back({cx + dx * t, cy + dy * t, std::atan2(dy, dx), enemy->kind});
    }
    return markers;
}

void RenderEnemyMarkers(Engine& engine, const std::vector<EnemyMarker>& markers) {
    for (const EnemyMarker& marker : markers) {
        const float c = std::cos(marker.angle);
        const float s = std::sin(marker.angle);
        const float baseX = marker.x - c * kMarkerLength;
        const float baseY = marker.y - s * kMarkerLength;
        // A triangle: the tip twice, then the two corners of its base.
        Quad quad = Flat(KindColour(marker.kind));
        quad.v[0].x = marker.x;
        quad.v[0].y = marker.y;
        quad.v[1].x = marker.x;
        quad.v[1].y = marker.y;
        quad.v[2].x = baseX - s * kMarkerHalfWidth;
        quad.v[2].y = baseY + c * kMarkerHalfWidth;
        quad.v[3].x = baseX + s * kMarkerHalfWidth;
        quad.v[3].y = baseY - c * kMarkerHalfWidth;
        engine.Gfx_RenderQuad(&quad);
    }
}
