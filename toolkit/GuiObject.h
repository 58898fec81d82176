// The base of the editor's widgets. The GuiManager feeds each widget its
// input; a handler returning true means the widget acted this frame.
#pragma once

#include "platform/engine/Engine.h"

#include <cstdint>

class GuiManager;

class GuiObject {
public:
    GuiObject();
    virtual ~GuiObject();
    GuiObject(const GuiObject&) = delete;
    GuiObject& operator=(const GuiObject&) = delete;

    virtual void Render() = 0;
    virtual void Update(float /*dt*/) {}

    virtual void Enter() {}
    virtual void Leave() {}
    virtual void Reset() {}
    virtual bool IsReady() { return true; }
    virtual void OnFocus(bool /*gained*/) {}
    virtual void OnHover(bool /*entered*/) {}

    // Position relative to the widget's top-left corner.
    virtual bool OnMouseMove(float /*x*/, float /*y*/) { return false; }
    virtual bool OnLeftButton(bool /*down*/) { return false; }
    virtual bool OnRightButton(bool /*down*/) { return false; }
    virtual bool OnWheel(int /*notches*/) { return false; }
    virtual bool OnKey(int /*key*/, int /*character*/) { return false; }

    virtual void SetTint(std::uint32_t color) { m_color = color; }

    // x1 <= x < x2 and y1 <= y < y2.
    bool Contains(float x, float y) const;

    int m_id = 0;
    // A static widget never takes the focus.
    bool m_static = false;
    bool m_visible = true;
    bool m_enabled = true;
    float m_x1 = 0.0f, m_y1 = 0.0f, m_x2 = 0.0f, m_y2 = 0.0f;
    std::uint32_t m_color = 0xFFFFFFFF;
    GuiManager* m_gui = nullptr;
    GuiObject* m_next = nullptr;
    GuiObject* m_prev = nullptr;

protected:
    void SetRect(float x, float y, float width, float height);

    Engine* m_engine;
};
