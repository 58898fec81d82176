#include "platform/engine/Gamepads.h"

#include "platform/engine/Engine.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

const char* const kButtonNames[] = {"a",
                                    "b",
                                    "x",
                                    "y",
                                    "back",
                                    "guide",
                                    "start",
                                    "leftstick",
                                    "rightstick",
                                    "leftshoulder",
                                    "rightshoulder",
                                    "up",
                                    "down",
                                    "left",
                                    "right"};
const char* const kAxisNames[] = {"leftx",  "lefty",       "rightx",
                                  "righty", "lefttrigger", "righttrigger"};

int IndexOf(const char* const* names, int count, const std::string& name) {
    for (int i = 0; i < count; ++i) {
        if (name == names[i]) {
            return i;
        }
    }
    return -1;
}

InputEvent PadEvent(int frame, InputEvent::Pad part) {
    InputEvent event;
    event.kind = InputEvent::Kind::Pad;
    event.frame = frame;
    event.pad = part;
    return event;
}

Sint16 AxisValue(float value) {
    return static_cast<Sint16>(std::clamp(value, -1.0f, 1.0f) * 32767.0f);
}

} // namespace

int PadButtonFromName(const std::string& name) {
    return IndexOf(kButtonNames, PAD_BUTTONS, name);
}
int PadAxisFromName(const std::string& name) {
    return IndexOf(kAxisNames, PAD_AXES, name);
}
const char* PadButtonName(int button) {
    return button >= 0 && button < PAD_BUTTONS ? kButtonNames[button] : "?";
}
const char* PadAxisName(int axis) {
    return axis >= 0 && axis < PAD_AXES ? kAxisNames[axis] : "?";
}

static_assert(std::size(kButtonNames) == PAD_BUTTONS && std::size(kAxisNames) == PAD_AXES);
static_assert(static_cast<int>(SDL_CONTROLLER_BUTTON_DPAD_RIGHT) == static_cast<int>(PAD_RIGHT) &&
              static_cast<int>(SDL_CONTROLLER_AXIS_TRIGGERRIGHT) ==
                  static_cast<int>(PAD_RIGHTTRIGGER));

Gamepads::~Gamepads() {
    Close();
}

bool Gamepads::Open(bool realOnes, std::string& error) {
    if (m_open) {
        return true;
    }
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        error = SDL_GetError();
        return false;
    }
    m_open = true;
    m_realOnes = realOnes;
    return true;
}

void Gamepads::Close() {
    if (!m_open) {
        return;
    }
    if (m_active) {
        SDL_GameControllerClose(m_active);
        m_active = nullptr;
    }
    if (m_virtual) {
        SDL_JoystickClose(m_virtual);
        m_virtual = nullptr;
    }
    if (m_virtualIndex >= 0) {
        SDL_JoystickDetachVirtual(m_virtualIndex);
        m_virtualIndex = -1;
    }
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    m_open = false;
}

void Gamepads::Drive(const InputEvent& event) {
    if (!m_open) {
        return;
    }
    if (event.pad == InputEvent::Pad::Connection) {
        if (event.down && m_virtualIndex < 0) {
            SDL_VirtualJoystickDesc desc{};
            desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
            desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
            desc.naxes = PAD_AXES;
            desc.nbuttons = PAD_BUTTONS;
            desc.button_mask = (1u << PAD_BUTTONS) - 1;
            desc.axis_mask = (1u << PAD_AXES) - 1;
            desc.name = "Scripted gamepad";
            m_virtualIndex = SDL_JoystickAttachVirtualEx(&desc);
            m_virtual = m_virtualIndex >= 0 ? SDL_JoystickOpen(m_virtualIndex) : nullptr;
        } else if (!event.down && m_virtualIndex >= 0) {
            SDL_JoystickClose(m_virtual);
            m_virtual = nullptr;
            SDL_JoystickDetachVirtual(m_virtualIndex);
            m_virtualIndex = -1;
        }
        return;
    }
    if (!m_virtual) {
        return;
    }
    if (event.pad == InputEvent::Pad::Button) {
        SDL_JoystickSetVirtualButton(m_virtual, event.key, event.down ? 1 : 0);
    } else if (event.key == PAD_LEFTTRIGGER || event.key == PAD_RIGHTTRIGGER) {
        // A trigger's joystick axis runs over the whole range, at rest at its low end.
        const float pulled = std::clamp(event.x, 0.0f, 1.0f);
        SDL_JoystickSetVirtualAxis(m_virtual, event.key,
                                   static_cast<Sint16>(-32768 + std::lround(pulled * 65535)));
    } else {
        SDL_JoystickSetVirtualAxis(m_virtual, event.key, AxisValue(event.x));
    }
}

bool Gamepads::Accepts(int deviceIndex) const {
    return SDL_IsGameController(deviceIndex) &&
           (m_realOnes || SDL_JoystickIsVirtual(deviceIndex) == SDL_TRUE);
}

void Gamepads::Activate(int deviceIndex, int frame, std::vector<InputEvent>& out) {
    m_active = SDL_GameControllerOpen(deviceIndex);
    if (!m_active) {
        return;
    }
    m_activeId = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(m_active));
    const char* name = SDL_GameControllerName(m_active);
    m_name = name && *name ? name : "a gamepad";
    InputEvent added = PadEvent(frame, InputEvent::Pad::Connection);
    added.down = true;
    out.push_back(added);
}

void Gamepads::ActivateAnyOther(int frame, std::vector<InputEvent>& out) {
    for (int i = 0; i < SDL_NumJoysticks() && !m_active; ++i) {
        if (Accepts(i) && SDL_JoystickGetDeviceInstanceID(i) != m_activeId) {
            Activate(i, frame, out);
        }
    }
}

void Gamepads::Read(int frame, std::vector<InputEvent>& out) {
    if (!m_open) {
        return;
    }
    SDL_PumpEvents();
    SDL_Event events[64];
    int count = 0;
    while ((count = SDL_PeepEvents(events, 64, SDL_GETEVENT, SDL_CONTROLLERAXISMOTION,
                                   SDL_CONTROLLERSENSORUPDATE)) > 0) {
        for (int i = 0; i < count; ++i) {
            const SDL_Event& e = events[i];
            if (e.type == SDL_CONTROLLERDEVICEADDED) {
                if (!m_active && Accepts(e.cdevice.which)) {
                    Activate(e.cdevice.which, frame, out);
                }
            } else if (e.type == SDL_CONTROLLERDEVICEREMOVED) {
                if (m_active && e.cdevice.which == m_activeId) {
                    SDL_GameControllerClose(m_active);
                    m_active = nullptr;
                    m_name.clear();
                    out.push_back(PadEvent(frame, InputEvent::Pad::Connection));
                    // The next one waiting takes over.
                    ActivateAnyOther(frame, out);
                }
            } else if ((e.type == SDL_CONTROLLERBUTTONDOWN || e.type == SDL_CONTROLLERBUTTONUP) &&
                       m_active && e.cbutton.which == m_activeId &&
                       e.cbutton.button < PAD_BUTTONS) {
                InputEvent button = PadEvent(frame, InputEvent::Pad::Button);
                button.key = e.cbutton.button;
                button.down = e.type == SDL_CONTROLLERBUTTONDOWN;
                out.push_back(button);
            } else if (e.type == SDL_CONTROLLERAXISMOTION && m_active &&
                       e.caxis.which == m_activeId && e.caxis.axis < PAD_AXES) {
                InputEvent axis = PadEvent(frame, InputEvent::Pad::Axis);
                axis.key = e.caxis.axis;
                axis.x = std::max(-1.0f, static_cast<float>(e.caxis.value) / 32767.0f);
                out.push_back(axis);
            }
        }
    }
    // The joysticks under the controllers report too; nobody reads those.
    SDL_FlushEvents(SDL_JOYAXISMOTION, SDL_JOYBATTERYUPDATED);
}
