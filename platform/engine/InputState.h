// Keys, buttons, mouse, wheel and typed characters as the frame sees them:
// what is held, what went down or up during this frame, and the first key
// and character of the frame.
#pragma once

#include "platform/engine/InputEvent.h"

#include <array>
#include <deque>
#include <string>

class InputState {
public:
    // Forgets what happened during the previous frame; held keys stay held.
    void BeginFrame();
    void Apply(const InputEvent& event);

    bool KeyState(int key) const { return Valid(key) && (m_held[key] || m_padHeld[key]); }
    bool KeyDown(int key) const { return Valid(key) && m_wentDown[key]; }
    bool KeyUp(int key) const { return Valid(key) && m_wentUp[key]; }
    int Key() const { return m_key; }
    int Char() const { return m_char; }
    int Wheel() const { return m_wheel; }
    float MouseX() const { return m_mouseX; }
    float MouseY() const { return m_mouseY; }
    void SetMouse(float x, float y);
    bool QuitRequested() const { return m_quit; }
    void ClearQuit() { m_quit = false; }
    // Releases every held key (focus lost).
    void ReleaseAll();
    // A press the engine acted on itself: the program sees neither it nor
    // the character it typed (the key still reads as held).
    void Consume(int key, int character);

    // The gamepad that plays, and the keys the program presses for it.
    bool PadConnected() const { return m_padConnected; }
    bool PadLost() const { return m_padLost; }
    bool PadButton(int button) const;
    float PadAxis(int axis) const;
    void PadKey(int key, bool down);

    // Answers queued for file dialogs, oldest first.
    bool HasDialogAnswer() const { return !m_dialogAnswers.empty(); }
    InputEvent TakeDialogAnswer();

private:
    void ApplyPad(const InputEvent& event);
    static bool Valid(int key) { return key > 0 && key < 256; }

    std::array<bool, 256> m_held{};
    std::array<bool, 256> m_wentDown{};
    std::array<bool, 256> m_wentUp{};
    std::array<bool, 256> m_padHeld{};
    std::array<bool, 16> m_padButtons{};
    std::array<float, 6> m_padAxes{};
    bool m_padConnected = false;
    bool m_padLost = false;
    int m_key = 0;
    int m_char = 0;
    int m_wheel = 0;
    float m_mouseX = 0;
    float m_mouseY = 0;
    bool m_quit = false;
    std::deque<InputEvent> m_dialogAnswers;
};
