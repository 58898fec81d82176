#include "toolkit/GuiListbox.h"

#include "toolkit/BitmapFont.h"

#include <algorithm>
#include <cmath>

GuiListbox::GuiListbox(int id, float x, float y, float width, float height, BitmapFont* font,
                       std::uint32_t textColor, std::uint32_t selectedColor,
                       std::uint32_t highlightColor)
    : m_highlight(0, 0.0f, 0.0f, width, font ? font->GetHeight() : 0.0f), m_font(font),
      m_textColor(textColor), m_selectedColor(selectedColor) {
    m_id = id;
    SetRect(x, y, width, height);
    m_highlight.SetColor(highlightColor);
}

float GuiListbox::FontHeight() const {
    return m_font ? m_font->GetHeight() : 0.0f;
}

int GuiListbox::GetVisibleRows() const {
    float fontHeight = FontHeight();
    if (fontHeight <= 0.0f)
        return 0;
    return static_cast<int>(std::lround((m_y2 - m_y1) / fontHeight));
}

int GuiListbox::AddLine(const char* text) {
    std::string line = text ? text : "";
    if (line.size() > kMaxLine)
        line.resize(kMaxLine);
    m_lines.push_back(std::move(line));
    return GetLineCount() - 1;
}

const char* GuiListbox::GetLine(int index) const {
    if (index < 0 || index >= GetLineCount())
        return nullptr;
    return m_lines[static_cast<std::size_t>(index)].c_str();
}

void GuiListbox::Render() {
    if (!m_font)
        return;
    // The font is shared (the editor's info text uses it too), so it goes
    // back to the colour it came with.
    const std::uint32_t fontColor = m_font->GetColor();
    float fontHeight = FontHeight();
    int rows = GetVisibleRows();
    for (int i = 0; i < rows && m_top + i < GetLineCount(); ++i) {
        if (m_top + i < 0)
            continue;
        float y = m_y1 + static_cast<float>(i) * fontHeight;
        if (m_top + i == m_hovered && m_hovered != m_selected) {
            // The row carries the pointer: a fainter bar than the selection's.
            const std::uint32_t color = m_highlight.GetColor();
            m_highlight.SetColor(0x24FFFFFF);
            m_highlight.Render(m_x1, y);
            m_highlight.SetColor(color);
        }
        if (m_top + i == m_selected) {
            m_highlight.Render(m_x1, y);
            m_font->SetColor(m_selectedColor);
        } else {
            m_font->SetColor(m_textColor);
        }
        m_font->Render(m_x1 + 3.0f, y, BitmapFont::kLeft, GetLine(m_top + i));
    }
    m_font->SetColor(fontColor);
}

bool GuiListbox::OnMouseMove(float x, float y) {
    m_mouseX = x;
    m_mouseY = y;
    const long rowHeight = std::lround(FontHeight());
    const long row = rowHeight > 0 && y >= 0 ? std::lround(y) / rowHeight : -1;
    m_hovered = row >= 0 && row < GetVisibleRows() && m_top + row < GetLineCount()
                    ? static_cast<int>(m_top + row)
                    : -1;
    return false;
}

void GuiListbox::OnHover(bool entered) {
    if (!entered) {
        m_hovered = -1;
    }
}

bool GuiListbox::OnLeftButton(bool down) {
    if (!down)
        return false;
    long rowHeight = std::lround(FontHeight());
    if (rowHeight <= 0)
        return false;
    long index = m_top + std::lround(m_mouseY) / rowHeight;
    // Below the last line (or above the list, while locked) selects nothing.
    if (index < 0 || index >= GetLineCount())
        return false;
    m_selected = static_cast<int>(index);
    return true;
}

bool GuiListbox::OnWheel(int notches) {
    m_top = std::max(0, std::min(m_top - notches * m_wheelRows, GetLineCount() - GetVisibleRows()));
    return true;
}

bool GuiListbox::OnKey(int key, int /*character*/) {
    if (key == VK_UP) {
        if (m_selected > 0) {
            --m_selected;
            m_top = std::min(m_top, m_selected);
        }
        return true;
    }
    if (key == VK_DOWN) {
        if (m_selected < GetLineCount() - 1) {
            ++m_selected;
            int rows = std::max(1, GetVisibleRows());
            if (m_selected > m_top + rows - 1)
                m_top = m_selected - rows + 1;
        }
        return true;
    }
    return false;
}
