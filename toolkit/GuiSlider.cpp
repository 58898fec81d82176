#include "toolkit/GuiSlider.h"

#include <algorithm>

GuiSlider::GuiSlider(int id, float x, float y, float width, float height, HTEXTURE texture,
                     float tx, float ty, float knobWidth, float knobHeight, bool vertical)
    : m_vertical(vertical), m_knobWidth(knobWidth), m_knobHeight(knobHeight),
      m_sprite(texture, tx, ty, knobWidth, knobHeight) {
    m_id = id;
    SetRect(x, y, width, height);
}

void GuiSlider::SetValue(float value) {
    // Not std::clamp: a range set upside down must not be undefined.
    m_value = std::max(m_minimum, std::min(value, m_maximum));
}

bool GuiSlider::OnLeftButton(bool down) {
    m_dragging = down;
    return false;
}

bool GuiSlider::OnMouseMove(float x, float y) {
    if (!m_dragging)
        return false;
    float length = m_vertical ? m_y2 - m_y1 : m_x2 - m_x1;
    float along = std::max(0.0f, std::min(m_vertical ? y : x, length));
    // A slider of no length has only its minimum to offer.
    m_value = length > 0.0f ? m_minimum + (m_maximum - m_minimum) * along / length : m_minimum;
    return true;
}

void GuiSlider::Render() {
    float range = m_maximum - m_minimum;
    float share = range != 0.0f ? (m_value - m_minimum) / range : 0.0f;
    float midX = (m_x1 + m_x2) * 0.5f;
    float midY = (m_y1 + m_y2) * 0.5f;
    if (m_vertical) {
        float v = m_y1 + share * (m_y2 - m_y1);
        if (m_mode == kBar)
            m_sprite.RenderStretch(m_x1, m_y1, m_x2, v);
        else if (m_mode == kBarFromMiddle)
            m_sprite.RenderStretch(m_x1, midY, m_x2, v);
        else
            m_sprite.RenderStretch(midX - m_knobWidth / 2, v - m_knobHeight / 2,
                                   midX + m_knobWidth / 2, v + m_knobHeight / 2);
    } else {
        float v = m_x1 + share * (m_x2 - m_x1);
        if (m_mode == kBar)
            m_sprite.RenderStretch(m_x1, m_y1, v, m_y2);
        else if (m_mode == kBarFromMiddle)
            m_sprite.RenderStretch(midX, m_y1, v, m_y2);
        else
            m_sprite.RenderStretch(v - m_knobWidth / 2, midY - m_knobHeight / 2,
                                   v + m_knobWidth / 2, midY + m_knobHeight / 2);
    }
}
