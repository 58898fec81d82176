// The gamepad plays through the keys it stands for, so blocking, triggers,
// element selection and the menu work as they do for the keyboard: the left
// stick and the D-pad are W A S D, A B X Y the keys 1-4, the shoulders Q and
// 5, the right trigger the right button, Back I and Start Esc. The right
// stick aims: the pointer goes 200 px from the player the way it points.
// In books and the inventory the stick moves the pointer and A clicks; in
// the menu the stick and the D-pad are the arrows, A Enter and B Esc.
#pragma once

#include <array>

class Engine;

class GamepadControls {
public:
    enum class Mode { Play, Pointer, Menu };
    struct Scene {
        Mode mode = Mode::Play;
        float playerX = 0, playerY = 0; // on the screen
        int screenWidth = 0, screenHeight = 0;
        float delta = 0; // seconds, for the pointer's speed
    };
    void Update(Engine& engine, const Scene& scene);

private:
    void Press(Engine& engine, int key, bool down);
    bool Held(Engine& engine, int button);

    std::array<bool, 256> m_pressed{};
    // Buttons held through a change of mode wait to be let go, so the A
    // that opened a book does not click in it at once.
    std::array<bool, 16> m_latched{};
    Mode m_mode = Mode::Play;
};
