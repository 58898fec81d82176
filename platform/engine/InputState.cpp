#include "platform/engine/InputState.h"

void InputState::BeginFrame() {
    m_wentDown.fill(false);
    m_wentUp.fill(false);
    m_key = 0;
    m_char = 0;
    m_wheel = 0;
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
    case InputEvent::Kind::Delta:
    case InputEvent::Kind::Sound:
        break;
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
