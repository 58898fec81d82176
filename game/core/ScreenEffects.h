// Screen effects drawn over the world: toggled with M.
#pragma once

class ScreenEffects {
public:
    void Toggle() { effectsOn = !effectsOn; }

    bool effectsOn = false;
};

ScreenEffects& TheScreenEffects();
