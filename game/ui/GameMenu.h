// The menu Esc (or a gamepad's Start) opens over the game: Resume,
// Settings, Controls, Quit. The game holds while it is open; it is worked
// with the mouse, the arrows (or W and S) and Enter, and a gamepad through
// the keys it stands for.
#pragma once

#include "game/core/PlayerSettings.h"
#include "toolkit/Sprite.h"

class BitmapFont;
class Engine;

class GameMenu {
public:
    enum class Page { Main, Settings, Controls };
    struct Outcome {
        enum class Kind { None, Resume, Quit, Changed } kind = Kind::None;
        const char* key = nullptr; // Changed: the setting's key in "settings.ini"
        int value = 0;             // and its new value
    };

    GameMenu(int screenWidth, int screenHeight);

    bool IsOpen() const { return m_open; }
    void Open();
    Page CurrentPage() const { return m_page; }
    int Selected() const { return m_selected; }

    // The frame's key and the mouse; a setting changed here is changed in
    // settings, and the outcome names it so it can be applied and kept.
    Outcome Update(int key, float mouseX, float mouseY, PlayerSettings& settings);
    void Render(Engine& engine, BitmapFont& font, const PlayerSettings& settings);

private:
    int RowCount() const;
    float PanelTop() const;
    float PanelHeight() const;
    void RenderRow(Engine& engine, BitmapFont& font, int row, const PlayerSettings& settings);
    float RowTop(int row) const;
    int RowAt(float x, float y) const;
    Outcome Activate(int row, int step, PlayerSettings& settings);
    void ShowPage(Page page);

    bool m_open = false;
    Page m_page = Page::Main;
    int m_selected = 0;
    // Where the pointer was last frame; unknown on a page just shown.
    float m_lastMouseX = 0;
    float m_lastMouseY = 0;
    bool m_mouseKnown = false;
    float m_centreX;
    float m_centreY;
    Sprite m_fill;
};
