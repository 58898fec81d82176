// Maps the window system's keys and buttons to the virtual-key codes that
// the programs and input scripts use.
#pragma once

#include <array>

// Keys by their place on the keyboard, named as on a US keyboard: the key
// left of S is 'A' on every layout. Returns 0 for keys the game has no code
// for.
int VirtualKeyFromSdlScancode(int sdlScancode);
// Keys by what the layout prints on them.
int VirtualKeyFromSdlKeycode(int sdlKeycode);
int VirtualKeyFromSdlMouseButton(int sdlButton);

// One key event of the window as the program sees it: a key stands for its
// place (W A S D walk the same way on every layout), except that with Ctrl
// held a letter is the layout's own (Ctrl+Z undoes wherever Z is printed).
// A release reports what its press reported, whatever Ctrl did meanwhile.
class KeyTranslator {
public:
    int Translate(int sdlScancode, int sdlKeycode, bool down, bool ctrlHeld);

private:
    std::array<int, 512> m_pressedAs{};
};
