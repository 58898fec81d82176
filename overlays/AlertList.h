// Short lines of text that fade out by themselves: damage numbers, pickups,
// notices. One list per program; the program says where time and the
// camera come from.
#pragma once

#include "toolkit/BitmapFont.h"

#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <string>

struct Alert {
    std::string text;
    float x = 0;
    float y = 0;
    float interval = 0;
    int align = 0;
    bool screenFixed = false;
    int alpha = 0;
    std::uint32_t colour = 0;
    float lastStep = 0;
    // Where it was asked for, and what, before any lift or count.
    float anchorX = 0;
    float anchorY = 0;
    std::string said;
    int repeats = 1;
};

class AlertList {
public:
    // Loads the alert font.
    AlertList();

    // The program's clock (game time in seconds) and camera position.
    void SetClock(std::function<float()> now) { m_now = std::move(now); }
    void SetCamera(std::function<void(float&, float&)> camera) { m_camera = std::move(camera); }

    // Near a live alert (16 px) the same text counts up on that one ("x2")
    // and fades anew; another text goes a line above them all, so nothing
    // prints over anything.
    void AddAlert(std::uint32_t colour, const std::string& text, float x, float y, float interval,
                  int align, bool screenFixed);
    // One fade step per alert at most; faded alerts leave the list.
    void Update();
    void Render();

    const std::list<Alert>& Alerts() const { return m_alerts; }

private:
    float Now() const { return m_now ? m_now() : 0.0f; }

    std::unique_ptr<BitmapFont> m_font;
    std::list<Alert> m_alerts;
    std::function<float()> m_now;
    std::function<void(float&, float&)> m_camera;
};
