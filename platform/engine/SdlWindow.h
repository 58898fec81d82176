// The real window: created with an OpenGL 3.3 core context request, pumps
// the window system's events and turns them into input events in the
// logical screen's coordinates (letterboxed when full screen).
#pragma once

#include "platform/engine/InputEvent.h"
#include "platform/engine/KeyMap.h"

#include <string>
#include <vector>

struct SDL_Window;

class SdlWindow {
public:
    ~SdlWindow();
    bool Create(const std::string& title, int width, int height, bool windowed, bool hideMouse,
                std::string& error);
    void Destroy();
    SDL_Window* Handle() const { return m_window; }
    // Between the window and full screen on the desktop's own mode.
    bool SetFullScreen(bool on, std::string& error);

    struct Pumped {
        std::vector<InputEvent> input; // keyboard, mouse, wheel, characters
        bool closeRequested = false;
        bool focusLost = false;
        bool mouseInside = true;
    };
    // withInput false drops keyboard and mouse events (scripted input
    // replaces them) but still reports a close request.
    Pumped Pump(int frame, bool withInput);

    void ShowMessageBox(const std::string& title, const std::string& text, bool error);
    // Yes and No buttons; true for yes (Esc and closing answer no).
    bool AskYesNo(const std::string& title, const std::string& text);
    // Buttons with the given labels, the first answering Esc and the last
    // Enter; the index of the one pressed, -1 when the box cannot be shown.
    int AskChoice(const std::string& title, const std::string& text,
                  const std::vector<std::string>& answers);

private:
    void ToLogical(int wx, int wy, float& x, float& y) const;

    SDL_Window* m_window = nullptr;
    int m_width = 0;
    int m_height = 0;
    bool m_mouseInside = true;
    KeyTranslator m_keys;
};
