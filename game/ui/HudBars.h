// Bars and markers that let a player read the fight at a glance: their own
// health under the HUD text, the health of hurt enemies over their heads,
// and arrows at the screen's edge towards enemies nearby but out of sight.
#pragma once

#include <vector>

class BitmapFont;
class Engine;

// Screen coordinates; the bar's full width is the starting health, and
// health above it shows as a brighter overflow over the bar.
void RenderHealthBar(Engine& engine, BitmapFont& font, float x, float y, float health);

// World coordinates: a short bar over every enemy that has lost health.
void RenderEnemyBars(Engine& engine);

struct EnemyMarker {
    float x; // screen position of the arrow's tip
    float y;
    float angle; // radians, the way to the enemy
    int kind;
};

// The enemies within reach of the player that lie outside the view, each
// as a point on the screen's edge pointing at it.
std::vector<EnemyMarker> FindEnemyMarkers(float cameraX, float cameraY, int screenWidth,
                                          int screenHeight);
// Screen coordinates.
void RenderEnemyMarkers(Engine& engine, const std::vector<EnemyMarker>& markers);
