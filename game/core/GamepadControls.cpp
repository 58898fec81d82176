#include "game/core/GamepadControls.h"

#include "platform/engine/Engine.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kDeadZone = 0.35f;
constexpr float kAimDistance = 200;
constexpr float kPointerSpeed = 600; // pixels a second at full tilt
constexpr float kTriggerPressed = 0.5f;

} // namespace

bool GamepadControls::Held(Engine& engine, int button) {
    const bool down = engine.Input_PadButton(button);
    if (!down) {
        m_latched[button] = false;
    }
    return down && !m_latched[button];
}

void GamepadControls::Press(Engine& engine, int key, bool down) {
    if (m_pressed[key] != down) {
        m_pressed[key] = down;
        engine.Input_PadKey(key, down);
    }
}

void GamepadControls::Update(Engine& engine, const Scene& scene) {
    std::array<bool, 256> wanted{};
    if (!engine.Input_PadConnected()) {
        m_latched.fill(false);
    } else {
        if (scene.mode != m_mode) {
            for (int button = 0; button < PAD_BUTTONS; ++button) {
                m_latched[button] = engine.Input_PadButton(button);
            }
            m_mode = scene.mode;
        }
        const float stickX = engine.Input_PadAxis(PAD_LEFTX);
        const float stickY = engine.Input_PadAxis(PAD_LEFTY);
        const bool up = Held(engine, PAD_UP) || stickY < -kDeadZone;
        const bool down = Held(engine, PAD_DOWN) || stickY > kDeadZone;
        const bool left = Held(engine, PAD_LEFT) || stickX < -kDeadZone;
        const bool right = Held(engine, PAD_RIGHT) || stickX > kDeadZone;
        wanted[VK_ESCAPE] = Held(engine, PAD_START);
        switch (scene.mode) {
        case Mode::Menu:
            wanted[VK_UP] = up;
            wanted[VK_DOWN] = down;
            wanted[VK_LEFT] = left;
            wanted[VK_RIGHT] = right;
            wanted[VK_RETURN] = Held(engine, PAD_A);
            wanted[VK_ESCAPE] = wanted[VK_ESCAPE] || Held(engine, PAD_B);
            break;
        case Mode::Pointer: {
            float x = 0;
            float y = 0;
            engine.Input_GetMousePos(&x, &y);
            // The stick as far as it leans, the D-pad at full speed.
            auto lean = [](float stick, bool less, bool more) {
                return std::fabs(stick) > kDeadZone ? stick : (more ? 1.0f : less ? -1.0f : 0.0f);
            };
            const float step = kPointerSpeed * scene.delta;
            x += lean(stickX, left, right) * step;
            y += lean(stickY, up, down) * step;
            if (up || down || left || right) {
                engine.Input_SetMousePos(std::clamp(x, 0.0f, scene.screenWidth - 1.0f),
                                         std::clamp(y, 0.0f, scene.screenHeight - 1.0f));
            }
            wanted[VK_LBUTTON] = Held(engine, PAD_A);
            wanted[VK_RBUTTON] = engine.Input_PadAxis(PAD_RIGHTTRIGGER) > kTriggerPressed;
            wanted['I'] = Held(engine, PAD_BACK);
            break;
        }
        case Mode::Play: {
            wanted['W'] = up;
            wanted['S'] = down;
            wanted['A'] = left;
            wanted['D'] = right;
            wanted['1'] = Held(engine, PAD_A);
            wanted['2'] = Held(engine, PAD_B);
            wanted['3'] = Held(engine, PAD_X);
            wanted['4'] = Held(engine, PAD_Y);
            wanted['Q'] = Held(engine, PAD_LEFTSHOULDER);
            wanted['5'] = Held(engine, PAD_RIGHTSHOULDER);
            wanted['I'] = Held(engine, PAD_BACK);
            wanted[VK_RBUTTON] = engine.Input_PadAxis(PAD_RIGHTTRIGGER) > kTriggerPressed;
            const float aimX = engine.Input_PadAxis(PAD_RIGHTX);
            const float aimY = engine.Input_PadAxis(PAD_RIGHTY);
            // At rest the aim stays where it was.
            if (const float tilt = std::hypot(aimX, aimY); tilt > kDeadZone) {
                engine.Input_SetMousePos(scene.playerX + aimX / tilt * kAimDistance,
                                         scene.playerY + aimY / tilt * kAimDistance);
            }
            break;
        }
        }
    }
    for (int key = 1; key < 256; ++key) {
        Press(engine, key, wanted[key]);
    }
}
