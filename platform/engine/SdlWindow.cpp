#include "platform/engine/SdlWindow.h"

#include "platform/engine/KeyMap.h"

#include <SDL.h>

#include <algorithm>

SdlWindow::~SdlWindow() {
    Destroy();
}

bool SdlWindow::Create(const std::string& title, int width, int height, bool windowed,
                       bool hideMouse, std::string& error) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
        error = SDL_GetError();
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
    if (!windowed) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    m_window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                width, height, flags);
    if (!m_window) {
        error = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER);
        return false;
    }
    m_width = width;
    m_height = height;
    SDL_ShowCursor(hideMouse ? SDL_DISABLE : SDL_ENABLE);
    return true;
}

void SdlWindow::Destroy() {
    if (m_window) {
        SDL_DestroyWindow(m_window);
        m_window = nullptr;
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER);
    }
}

bool SdlWindow::SetFullScreen(bool on, std::string& error) {
    if (!m_window) {
        error = "no window";
        return false;
    }
    if (SDL_SetWindowFullscreen(m_window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        error = SDL_GetError();
        return false;
    }
    if (!on) {
        // Not every window system gives the old size back by itself.
        SDL_SetWindowSize(m_window, m_width, m_height);
    }
    return true;
}

void SdlWindow::ToLogical(int wx, int wy, float& x, float& y) const {
    int ww = m_width;
    int wh = m_height;
    SDL_GetWindowSize(m_window, &ww, &wh);
    if (ww <= 0 || wh <= 0) {
        x = static_cast<float>(wx);
        y = static_cast<float>(wy);
        return;
    }
    // The picture is scaled to fit and centred; undo that.
    float scale = std::min(static_cast<float>(ww) / m_width, static_cast<float>(wh) / m_height);
    float offsetX = (ww - m_width * scale) / 2;
    float offsetY = (wh - m_height * scale) / 2;
    x = (wx - offsetX) / scale;
    y = (wy - offsetY) / scale;
}

SdlWindow::Pumped SdlWindow::Pump(int frame, bool withInput) {
    Pumped out;
    SDL_Event e;
    auto push = [&](InputEvent ev) {
        if (withInput) {
            ev.frame = frame;
            out.input.push_back(ev);
        }
    };
    while (SDL_PollEvent(&e)) {
        InputEvent ev;
        switch (e.type) {
        case SDL_QUIT:
            out.closeRequested = true;
            break;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                out.focusLost = true;
            } else if (e.window.event == SDL_WINDOWEVENT_LEAVE) {
                m_mouseInside = false;
            } else if (e.window.event == SDL_WINDOWEVENT_ENTER) {
                m_mouseInside = true;
            }
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            ev.kind = InputEvent::Kind::Key;
            ev.down = e.type == SDL_KEYDOWN;
            if (ev.down && e.key.repeat) {
                // A key held is not pressed again, but a held Backspace
                // goes on deleting.
                ev.key = VirtualKeyFromSdlScancode(e.key.keysym.scancode);
            } else {
                ev.key = m_keys.Translate(e.key.keysym.scancode, e.key.keysym.sym, ev.down,
                                          (e.key.keysym.mod & KMOD_CTRL) != 0);
                if (ev.key != 0) {
                    push(ev);
                }
            }
            if (ev.down && ev.key != 0 && (ev.key == 0x08 || ev.key == 0x0D || ev.key == 0x1B)) {
                // Control characters that text input does not report.
                InputEvent c;
                c.kind = InputEvent::Kind::Char;
                c.ch = ev.key;
                push(c);
            }
            break;
        case SDL_TEXTINPUT:
            for (const char* p = e.text.text; *p; ++p) {
                if (static_cast<unsigned char>(*p) < 128) {
                    ev.kind = InputEvent::Kind::Char;
                    ev.ch = static_cast<unsigned char>(*p);
                    push(ev);
                }
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            ev.kind = InputEvent::Kind::Key;
            ev.key = VirtualKeyFromSdlMouseButton(e.button.button);
            ev.down = e.type == SDL_MOUSEBUTTONDOWN;
            if (ev.key != 0) {
                push(ev);
            }
            break;
        case SDL_MOUSEMOTION:
            ev.kind = InputEvent::Kind::Mouse;
            ToLogical(e.motion.x, e.motion.y, ev.x, ev.y);
            push(ev);
            break;
        case SDL_MOUSEWHEEL:
            ev.kind = InputEvent::Kind::Wheel;
            ev.wheel = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
            push(ev);
            break;
        default:
            break;
        }
    }
    out.mouseInside = m_mouseInside;
    return out;
}

void SdlWindow::ShowMessageBox(const std::string& title, const std::string& text, bool error) {
    SDL_ShowSimpleMessageBox(error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION,
                             title.c_str(), text.c_str(), m_window);
}

bool SdlWindow::AskYesNo(const std::string& title, const std::string& text) {
    return AskChoice(title, text, {"No", "Yes"}) == 1;
}

int SdlWindow::AskChoice(const std::string& title, const std::string& text,
                         const std::vector<std::string>& answers) {
    std::vector<SDL_MessageBoxButtonData> buttons;
    for (std::size_t i = 0; i < answers.size(); ++i) {
        Uint32 flags = 0;
        if (i == 0) {
            flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
        }
        if (i + 1 == answers.size()) {
            flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        }
        buttons.push_back({flags, static_cast<int>(i), answers[i].c_str()});
    }
    SDL_MessageBoxData box{};
    box.flags = SDL_MESSAGEBOX_INFORMATION;
    box.window = m_window;
    box.title = title.c_str();
    box.message = text.c_str();
    box.numbuttons = static_cast<int>(buttons.size());
    box.buttons = buttons.data();
    int pressed = -1;
    return SDL_ShowMessageBox(&box, &pressed) == 0 ? pressed : -1;
}
