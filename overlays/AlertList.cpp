#include "overlays/AlertList.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kNearby = 16.0f;
// The alert font's line when it has none (it could not be loaded).
constexpr float kFallbackLine = 24.0f;

} // namespace

AlertList::AlertList() : m_font(std::make_unique<BitmapFont>("fonts/alert_font.fnt", false)) {
    m_font->SetColor(0xFF00FF14);
}

void AlertList::AddAlert(std::uint32_t colour, const std::string& text, float x, float y,
                         float interval, int align, bool screenFixed) {
    float highest = y;
    bool crowded = false;
    for (Alert& live : m_alerts) {
        if (live.screenFixed != screenFixed ||
            std::hypot(live.anchorX - x, live.anchorY - y) > kNearby) {
            continue;
        }
        if (live.said == text) {
            ++live.repeats;
            live.text = text + " x" + std::to_string(live.repeats);
            live.alpha = static_cast<int>(colour >> 24);
            live.colour = colour;
            live.interval = interval;
            live.lastStep = Now();
            return;
        }
        crowded = true;
        highest = std::min(highest, live.y);
    }
    const float line = m_font->GetHeight() > 0 ? m_font->GetHeight() : kFallbackLine;
    Alert alert;
    alert.text = text;
    alert.said = text;
    alert.anchorX = x;
    alert.anchorY = y;
    alert.x = x;
    alert.y = crowded ? highest - line : y;
    alert.interval = interval;
    alert.align = align;
    alert.screenFixed = screenFixed;
    alert.alpha = static_cast<int>(colour >> 24);
    alert.colour = colour;
    alert.lastStep = Now();
    m_alerts.push_back(std::move(alert));
}

void AlertList::Update() {
    const float now = Now();
    for (auto it = m_alerts.begin(); it != m_alerts.end();) {
        if (now > it->lastStep + it->interval) {
            it->alpha -= 4;
            it->colour = (static_cast<std::uint32_t>(it->alpha) << 24) | (it->colour & 0x00FFFFFF);
            it->lastStep = now;
        }
        // Erasing hands back the next alert, so none is skipped.
        it = it->alpha <= 0 ? m_alerts.erase(it) : std::next(it);
    }
}

void AlertList::Render() {
    float cameraX = 0, cameraY = 0;
    if (m_camera) {
        m_camera(cameraX, cameraY);
    }
    for (const Alert& alert : m_alerts) {
        m_font->SetColor(alert.colour);
        float x = alert.screenFixed ? alert.x + cameraX : alert.x;
        float y = alert.screenFixed ? alert.y + cameraY : alert.y;
        m_font->printf(x, y, alert.align, "%s", alert.text.c_str());
    }
}
