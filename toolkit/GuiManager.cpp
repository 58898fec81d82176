#include "toolkit/GuiManager.h"

#include "toolkit/GuiObject.h"

GuiManager::GuiManager() : m_engine(EngineCreate(ENGINE_VERSION)) {}

GuiManager::~GuiManager() {
    GuiObject* widget = m_first;
    while (widget) {
        GuiObject* next = widget->m_next;
        delete widget;
        widget = next;
    }
    if (m_engine)
        m_engine->Release();
}

void GuiManager::AddWidget(GuiObject* widget) {
    if (!widget)
        return;
    widget->m_gui = this;
    widget->m_next = nullptr;
    widget->m_prev = m_last;
    if (m_last)
        m_last->m_next = widget;
    else
        m_first = widget;
    m_last = widget;
}

GuiObject* GuiManager::GetWidget(int id) const {
    for (GuiObject* widget = m_first; widget; widget = widget->m_next) {
        if (widget->m_id == id)
            return widget;
    }
    return nullptr;
}

void GuiManager::SetFocus(int id) {
    GuiObject* widget = GetWidget(id);
    if (widget == m_focus)
        return;
    if (!widget) {
        if (m_focus)
            m_focus->OnFocus(false);
        m_focus = nullptr;
        return;
    }
    if (widget->m_static || !widget->m_visible || !widget->m_enabled)
        return;
    if (m_focus)
        m_focus->OnFocus(false);
    widget->OnFocus(true);
    m_focus = widget;
}

int GuiManager::Update(float dt) {
    if (!m_engine)
        return 0;
    m_engine->Input_GetMousePos(&m_mouseX, &m_mouseY);
    m_leftDown = m_engine->Input_KeyDown(VK_LBUTTON);
    m_leftUp = m_engine->Input_KeyUp(VK_LBUTTON);
    m_rightDown = m_engine->Input_KeyDown(VK_RBUTTON);
    m_rightUp = m_engine->Input_KeyUp(VK_RBUTTON);
    m_wheel = m_engine->Input_GetMouseWheel();

    for (GuiObject* widget = m_first; widget; widget = widget->m_next)
        widget->Update(dt);

    int key = m_engine->Input_GetKey();
    if (m_focus && key != 0 && key != VK_LBUTTON && key != VK_RBUTTON) {
        if (m_focus->OnKey(key, m_engine->Input_GetChar()))
            return m_focus->m_id;
    }

    if (m_locked) {
        GuiObject* locked = m_locked;
        if (!m_engine->Input_GetKeyState(VK_LBUTTON) && !m_engine->Input_GetKeyState(VK_RBUTTON))
            m_locked = nullptr;
        return Process(*locked) ? locked->m_id : 0;
    }

    GuiObject* under = nullptr;
    for (GuiObject* widget = m_last; widget; widget = widget->m_prev) {
        if (widget->m_enabled && widget->Contains(m_mouseX, m_mouseY)) {
            under = widget;
            break;
        }
    }
    if (!under) {
        if (m_hover)
            m_hover->OnHover(false);
        m_hover = nullptr;
        return 0;
    }
    if (under != m_hover) {
        if (m_hover)
            m_hover->OnHover(false);
        under->OnHover(true);
        m_hover = under;
    }
    return Process(*under) ? under->m_id : 0;
}

bool GuiManager::Process(GuiObject& widget) {
    bool acted = false;
    if (m_leftDown || m_rightDown) {
        // A pointer that arrived in the press's own frame: the press acts
        // where the pointer is now, not where the widget last saw it.
        widget.OnMouseMove(m_mouseX - widget.m_x1, m_mouseY - widget.m_y1);
    }
    // Locking and focus follow a press even when an earlier handler acted.
    if (m_leftDown) {
        m_locked = &widget;
        SetFocus(widget.m_id);
        acted = widget.OnLeftButton(true);
    }
    if (m_rightDown) {
        m_locked = &widget;
        SetFocus(widget.m_id);
        acted = acted || widget.OnRightButton(true);
    }
    if (m_leftUp)
        acted = acted || widget.OnLeftButton(false);
    if (m_rightUp)
        acted = acted || widget.OnRightButton(false);
    if (m_wheel != 0)
        acted = acted || widget.OnWheel(m_wheel);
    return acted || widget.OnMouseMove(m_mouseX - widget.m_x1, m_mouseY - widget.m_y1);
}

void GuiManager::Render() {
    for (GuiObject* widget = m_first; widget; widget = widget->m_next) {
        if (widget->m_visible)
            widget->Render();
    }
}
