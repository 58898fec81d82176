#include "platform/engine/KeyMap.h"

#include "platform/engine/Engine.h"

#include <SDL.h>

namespace {

bool IsLetter(int vk) {
    return vk >= 'A' && vk <= 'Z';
}

} // namespace

int VirtualKeyFromSdlScancode(int code) {
    if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z) {
        return 'A' + (code - SDL_SCANCODE_A);
    }
    if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9) {
        return '1' + (code - SDL_SCANCODE_1);
    }
    if (code >= SDL_SCANCODE_KP_1 && code <= SDL_SCANCODE_KP_9) {
        return 0x61 + (code - SDL_SCANCODE_KP_1); // numpad 1-9
    }
    if (code >= SDL_SCANCODE_F1 && code <= SDL_SCANCODE_F12) {
        return VK_F1 + (code - SDL_SCANCODE_F1);
    }
    switch (code) {
    case SDL_SCANCODE_0:
        return '0';
    case SDL_SCANCODE_KP_0:
        return 0x60;
    case SDL_SCANCODE_ESCAPE:
        return VK_ESCAPE;
    case SDL_SCANCODE_SPACE:
        return VK_SPACE;
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER:
        return VK_RETURN;
    case SDL_SCANCODE_BACKSPACE:
        return VK_BACK;
    case SDL_SCANCODE_TAB:
        return VK_TAB;
    case SDL_SCANCODE_DELETE:
        return VK_DELETE;
    case SDL_SCANCODE_INSERT:
        return VK_INSERT;
    case SDL_SCANCODE_HOME:
        return VK_HOME;
    case SDL_SCANCODE_END:
        return VK_END;
    case SDL_SCANCODE_PAGEUP:
        return VK_PGUP;
    case SDL_SCANCODE_PAGEDOWN:
        return VK_PGDN;
    case SDL_SCANCODE_LEFT:
        return VK_LEFT;
    case SDL_SCANCODE_UP:
        return VK_UP;
    case SDL_SCANCODE_RIGHT:
        return VK_RIGHT;
    case SDL_SCANCODE_DOWN:
        return VK_DOWN;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL:
        return VK_CONTROL;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT:
        return VK_SHIFT;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT:
        return VK_ALT;
    default:
        return 0;
    }
}

int VirtualKeyFromSdlKeycode(int key) {
    if (key >= SDLK_a && key <= SDLK_z) {
        return 'A' + (key - SDLK_a);
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return '0' + (key - SDLK_0);
    }
    // Keys that type no character carry their place in the code itself.
    if (key & SDLK_SCANCODE_MASK) {
        return VirtualKeyFromSdlScancode(key & ~SDLK_SCANCODE_MASK);
    }
    switch (key) {
    case SDLK_ESCAPE:
        return VK_ESCAPE;
    case SDLK_SPACE:
        return VK_SPACE;
    case SDLK_RETURN:
        return VK_RETURN;
    case SDLK_BACKSPACE:
        return VK_BACK;
    case SDLK_TAB:
        return VK_TAB;
    case SDLK_DELETE:
        return VK_DELETE;
    default:
        return 0;
    }
}

int VirtualKeyFromSdlMouseButton(int button) {
    switch (button) {
    case SDL_BUTTON_LEFT:
        return VK_LBUTTON;
    case SDL_BUTTON_RIGHT:
        return VK_RBUTTON;
    case SDL_BUTTON_MIDDLE:
        return VK_MBUTTON;
    default:
        return 0;
    }
}

int KeyTranslator::Translate(int scancode, int keycode, bool down, bool ctrlHeld) {
    const bool tracked = scancode >= 0 && scancode < static_cast<int>(m_pressedAs.size());
    if (!down && tracked && m_pressedAs[scancode] != 0) {
        const int vk = m_pressedAs[scancode];
        m_pressedAs[scancode] = 0;
        return vk;
    }
    int vk = VirtualKeyFromSdlScancode(scancode);
    if (ctrlHeld && (IsLetter(vk) || IsLetter(VirtualKeyFromSdlKeycode(keycode)))) {
        vk = VirtualKeyFromSdlKeycode(keycode);
    }
    if (down && tracked) {
        m_pressedAs[scancode] = vk;
    }
    return vk;
}
