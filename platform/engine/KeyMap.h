// Maps the window system's keys and buttons to the virtual-key codes that
// the programs and input scripts use.
#pragma once

// Returns 0 for keys the game has no code for.
int VirtualKeyFromSdlKeycode(int sdlKeycode);
int VirtualKeyFromSdlMouseButton(int sdlButton);
