#include "platform/engine/InputState.h"

void InputState::BeginFrame() {
    m_wentDown.fill(false);
    m_wentUp.fill(false);
    m_key = 0;
    m_char = 0;
    m_wheel = 0;
    m_padLost = false;
}

void InputState::Apply(const InputEvent& event) {
    switch (event.kind) {
    case InputEvent::Kind::Key:
        if (!Valid(event.key)) {
            return;
        }
        if (event.down) {
            // A key repeat while held is not a new press.
            if (!m_held[event.key]) {
                m_wentDown[event.key] = true;
                if (m_key == 0) {
                    m_key = event.key;
                }
            }
            m_held[event.key] = true;
        } else {
            if (m_held[event.key]) {
                m_wentUp[event.key] = true;
            }
            m_held[event.key] = false;
        }
        break;
    case InputEvent::Kind::Mouse:
        SetMouse(event.x, event.y);
        break;
    case InputEvent::Kind::Wheel:
        m_wheel += event.wheel;
        break;
    case InputEvent::Kind::Char:
        if (m_char == 0) {
            m_char = event.ch;
        }
        break;
    case InputEvent::Kind::Dialog:
        m_dialogAnswers.push_back(event);
        break;
    case InputEvent::Kind::Quit:
        m_quit = true;
        break;
    case InputEvent::Kind::Pad:
        ApplyPad(event);
        break;
    case InputEvent::Kind::Delta:
    case InputEvent::Kind::Sound:
        break;
    }
}

void InputState::ApplyPad(const InputEvent& event) {
    switch (event.pad) {
    case InputEvent::Pad::Connection:
        m_padLost = m_padLost || (m_padConnected && !event.down);
        m_padConnected = event.down;
        // A pad plugged in or out starts from rest.
        m_padButtons.fill(false);
        m_padAxes.fill(0);
        break;
    case InputEvent::Pad::Button:
        if (event.key >= 0 && event.key < static_cast<int>(m_padButtons.size())) {
            m_padButtons[event.key] = event.down;
        }
        break;
    case InputEvent::Pad::Axis:
        if (event.key >= 0 && event.key < static_cast<int>(m_padAxes.size())) {
            m_padAxes[event.key] = event.x;
        }
        break;
    }
}

bool InputState::PadButton(int button) const {
    return m_padConnected && button >= 0 && button < static_cast<int>(m_padButtons.size()) &&
           m_padButtons[button];
}

float InputState::PadAxis(int axis) const {
    return m_padConnected && axis >= 0 && axis < static_cast<int>(m_padAxes.size())
               ? m_padAxes[axis]
               : 0.0f;
}

void InputState::PadKey(int key, bool down) {
    if (!Valid(key) || m_padHeld[key] == down) {
        return;
    }
    m_padHeld[key] = down;
    // Held on the keyboard too: the key neither goes down nor up again.
    if (m_held[key]) {
        return;
    }
    if (down) {
        m_wentDown[key] = true;
        if (m_key == 0) {
            m_key = key;
        }
    } else {
        m_wentUp[key] = true;
    }
}

void InputState::SetMouse(float x, float y) {
    m_mouseX = x;
    m_mouseY = y;
}

void InputState::ReleaseAll() {
    for (int key = 1; key < 256; ++key) {
        if (m_held[key]) {
            m_wentUp[key] = true;
            m_held[key] = false;
        }
    }
}

void InputState::Consume(int key, int character) {
    if (!Valid(key)) {
        return;
    }
    m_wentDown[key] = false;
    if (m_key == key) {
        m_key = 0;
    }
    if (m_char == character) {
        m_char = 0;
    }
}

InputEvent InputState::TakeDialogAnswer() {
    InputEvent answer = m_dialogAnswers.front();
    m_dialogAnswers.pop_front();
    return answer;
}
