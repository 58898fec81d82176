#include "toolkit/GuiButton.h"

GuiButton::GuiButton(int id, float x, float y, float width, float height, HTEXTURE texture,
                     float tx, float ty)
    : m_up(texture, tx, ty, width, height), m_down(texture, tx + width, ty, width, height) {
    m_id = id;
    SetRect(x, y, width, height);
}

void GuiButton::Render() {
    (m_pressed ? m_down : m_up).Render(m_x1, m_y1);
}

bool GuiButton::OnLeftButton(bool down) {
    if (down) {
        m_pressedBefore = m_pressed;
        m_pressed = true;
        m_armed = true;
        return false;
    }
    if (!m_armed) {
        return false; // a release of a press that began elsewhere
    }
    m_armed = false;
    // Only a release over the button clicks: a press dragged off is taken
    // back, and the button is as it was.
    float x = m_x1;
    float y = m_y1;
    if (m_engine) {
        m_engine->Input_GetMousePos(&x, &y);
    }
    if (!Contains(x, y)) {
        m_pressed = m_pressedBefore;
        return false;
    }
    // A plain button pops up; a trigger button toggles.
    m_pressed = m_trigger && !m_pressedBefore;
    return true;
}
