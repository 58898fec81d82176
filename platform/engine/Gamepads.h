// The game controllers: the first one plugged in plays (another takes over
// only when it is unplugged), read as pad input events. Scripted and
// replayed runs play on a virtual controller of their own, driven by the
// script's pad events through the same path a real one takes.
#pragma once

#include "platform/engine/InputEvent.h"

#include <string>
#include <vector>

struct _SDL_GameController;
struct _SDL_Joystick;

class Gamepads {
public:
    ~Gamepads();
    // realOnes false: only the script's virtual controller is heard. False
    // with the reason when controllers cannot be had at all.
    bool Open(bool realOnes, std::string& error);
    void Close();
    bool IsOpen() const { return m_open; }

    // A scripted pad event: plugs the virtual controller in or out, or
    // moves its buttons and sticks.
    void Drive(const InputEvent& event);
    // The pad events since the last call, stamped with the frame.
    void Read(int frame, std::vector<InputEvent>& out);
    // The controller that plays, for the log ("" for none).
    const std::string& Name() const { return m_name; }

private:
    bool Accepts(int deviceIndex) const;
    void Activate(int deviceIndex, int frame, std::vector<InputEvent>& out);
    void ActivateAnyOther(int frame, std::vector<InputEvent>& out);

    bool m_open = false;
    bool m_realOnes = false;
    _SDL_GameController* m_active = nullptr;
    int m_activeId = -1;
    std::string m_name;
    int m_virtualIndex = -1;
    _SDL_Joystick* m_virtual = nullptr;
};
