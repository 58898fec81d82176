// A push button (or, in trigger mode, a toggle) drawn with an up and a down
// image that sit side by side in the texture.
#pragma once

#include "toolkit/GuiObject.h"
#include "toolkit/Sprite.h"

class GuiButton : public GuiObject {
public:
    // The up image is (tx, ty, width, height); the down image lies just right
    // of it.
    GuiButton(int id, float x, float y, float width, float height, HTEXTURE texture, float tx,
              float ty);

    void Render() override;
    bool OnLeftButton(bool down) override;

    void SetMode(bool trigger) { m_trigger = trigger; }
    void SetState(bool pressed) { m_pressed = pressed; }
    bool GetState() const { return m_pressed; }

private:
    bool m_trigger = false;
    bool m_pressed = false;
    bool m_pressedBefore = false;
    bool m_armed = false; // pressed on this button, not yet released
    Sprite m_up;
    Sprite m_down;
};
