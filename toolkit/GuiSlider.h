// A horizontal or vertical slider drawn as a bar or a knob; dragging with
// the left button sets its value.
#pragma once

#include "toolkit/GuiObject.h"
#include "toolkit/Sprite.h"

class GuiSlider : public GuiObject {
public:
    // How Render shows the value.
    static constexpr int kBar = 0;
    static constexpr int kBarFromMiddle = 1;
    static constexpr int kKnob = 2;

    GuiSlider(int id, float x, float y, float width, float height, HTEXTURE texture, float tx,
              float ty, float knobWidth, float knobHeight, bool vertical = false);

    void Render() override;
    bool OnMouseMove(float x, float y) override;
    bool OnLeftButton(bool down) override;

    void SetMode(int mode) { m_mode = mode; }
    // Clamped to [minimum, maximum].
    void SetValue(float value);
    float GetValue() const { return m_value; }
    void SetMinimum(float minimum) { m_minimum = minimum; }
    float GetMinimum() const { return m_minimum; }
    void SetMaximum(float maximum) { m_maximum = maximum; }
    float GetMaximum() const { return m_maximum; }
    bool IsDragging() const { return m_dragging; }

private:
    bool m_dragging = false;
    bool m_vertical;
    // A slider is made with its knob's size, so it shows that knob until
    // told to draw a bar: stretching the knob's picture over the whole
    // length would smear it.
    int m_mode = kKnob;
    float m_minimum = 0.0f;
    float m_maximum = 100.0f;
    float m_value = 50.0f;
    float m_knobWidth;
    float m_knobHeight;
    Sprite m_sprite;
};
