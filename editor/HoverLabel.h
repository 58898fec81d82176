// The label a placement gets when the pointer rests on it for half a
// second: its name and what it does, so a designer can read the map
// without selecting anything.
#pragma once

#include "toolkit/Sprite.h"

#include <string>

class BitmapFont;
class EditorWorld;
class Placement;

class HoverLabel {
public:
    static constexpr float kDelay = 0.5f;

    // over: the pointer is on the map (not the panel, no drag going on).
    void Update(const EditorWorld& world, float worldX, float worldY, float time, bool over);
    // "" until the pointer has rested on one placement for kDelay.
    const std::string& Text() const { return m_text; }
    // Beside the pointer (screen pixels), kept inside the screen.
    void Render(BitmapFont& font, float x, float y, float screenWidth);

private:
    const Placement* m_under = nullptr; // compared only, never read
    float m_since = 0;
    std::string m_text;
    Sprite m_fill{0, 0, 0, 1, 1};
};
