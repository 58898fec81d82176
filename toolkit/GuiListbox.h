// A scrolling list of short text lines with one selected line; clicks
// select, the wheel scrolls, Up and Down move the selection.
#pragma once

#include "toolkit/GuiObject.h"
#include "toolkit/Sprite.h"

#include <string>
#include <vector>

class BitmapFont;

class GuiListbox : public GuiObject {
public:
    static constexpr std::size_t kMaxLine = 63;

    // The font stays its owner's; the list only draws with it.
    GuiListbox(int id, float x, float y, float width, float height, BitmapFont* font,
               std::uint32_t textColor, std::uint32_t selectedColor, std::uint32_t highlightColor);

    void Render() override;
    bool OnMouseMove(float x, float y) override;
    bool OnLeftButton(bool down) override;
    bool OnWheel(int notches) override;
    void OnHover(bool entered) override;
    bool OnKey(int key, int character) override;

    // Cut to kMaxLine characters; returns the line's index.
    int AddLine(const char* text);
    // Selected and top index stay as they were.
    void Clear() { m_lines.clear(); }
    // The line's text, or nullptr outside the list.
    const char* GetLine(int index) const;
    int GetLineCount() const { return static_cast<int>(m_lines.size()); }
    int GetSelected() const { return m_selected; }
    void SetSelected(int index) { m_selected = index; }
    int GetTop() const { return m_top; }
    void SetTop(int index) { m_top = index; }
    // How many lines fit in the list's height (0 with a font of no height).
    int GetVisibleRows() const;
    // Rows a wheel notch scrolls (1 unless set).
    void SetWheelRows(int rows) { m_wheelRows = rows; }
    // The line under the pointer, drawn with a fainter bar (-1: none).
    int GetHovered() const { return m_hovered; }
    void SetHeight(float height) { m_y2 = m_y1 + height; }

private:
    float FontHeight() const;

    Sprite m_highlight;
    BitmapFont* m_font;
    std::uint32_t m_textColor;
    std::uint32_t m_selectedColor;
    std::vector<std::string> m_lines;
    int m_selected = 0;
    int m_top = 0;
    int m_wheelRows = 1;
    int m_hovered = -1;
    float m_mouseX = 0.0f;
    float m_mouseY = 0.0f;
};
