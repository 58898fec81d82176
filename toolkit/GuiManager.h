// Owns the widgets, feeds them the frame's mouse and keyboard input, tells
// the caller which one acted, and draws them.
#pragma once

#include "platform/engine/Engine.h"

class GuiObject;

class GuiManager {
public:
    GuiManager();
    ~GuiManager();
    GuiManager(const GuiManager&) = delete;
    GuiManager& operator=(const GuiManager&) = delete;

    // Appends the widget; the manager owns it from now on.
    void AddWidget(GuiObject* widget);
    GuiObject* GetWidget(int id) const;
    void SetFocus(int id);
    GuiObject* GetFocus() const { return m_focus; }

    // The id of the widget that acted this frame, or 0.
    int Update(float dt);
    void Render();

private:
    // Hands the frame's events to one widget, stopping at the first handler
    // that reports it acted.
    bool Process(GuiObject& widget);

    Engine* m_engine;
    GuiObject* m_first = nullptr;
    GuiObject* m_last = nullptr;
    // The widget a button went down on keeps the input until both are up.
    GuiObject* m_locked = nullptr;
    GuiObject* m_focus = nullptr;
    GuiObject* m_hover = nullptr;
    float m_mouseX = 0.0f;
    float m_mouseY = 0.0f;
    bool m_leftDown = false;
    bool m_leftUp = false;
    bool m_rightDown = false;
    bool m_rightUp = false;
    int m_wheel = 0;
};
