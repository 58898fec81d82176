// One input event of a frame, as the input script, the recorder and the
// window all describe it.
#pragma once

#include <string>

struct InputEvent {
    // Pad: the gamepad that plays was plugged in (down) or out (up), a
    // button (key, down) or an axis (key, x from -1 to 1) moved.
    enum class Kind { Key, Mouse, Wheel, Char, Dialog, Quit, Delta, Sound, Pad };
    enum class Pad { Connection, Button, Axis };
    int frame = 0;
    Kind kind = Kind::Key;
    int key = 0;         // Key: virtual-key code
    bool down = false;   // Key
    float x = 0, y = 0;  // Mouse
    int wheel = 0;       // Wheel
    int ch = 0;          // Char
    std::string path;    // Dialog: the chosen file, empty for cancel
    bool cancel = false; // Dialog
    double dt = 0;       // Delta: the frame's length (records only)
    // Sound (records only): the play, counted from 0, that the game found
    // ended in this frame (down) or that failed to start with result ch.
    int play = 0;
    Pad pad = Pad::Connection; // Pad
};
