#include "game/actors/PowerUp.h"

#include "toolkit/Sprite.h"

#include <cmath>

namespace {

constexpr float kDegreesPerRadian = 57.2957763671875f;

} // namespace

PowerUp::PowerUp(float x, float y, std::string baseName, std::unique_ptr<Sprite> sprite,
                 float spawnTime, float lifetime, std::string action)
    : x(x), y(y), m_baseName(std::move(baseName)), m_sprite(std::move(sprite)),
      m_spawnTime(spawnTime), m_lifetime(lifetime), m_action(std::move(action)),
      m_box(&this->x, &this->y, m_sprite->GetWidth(), m_sprite->GetHeight(),
            -m_sprite->GetWidth() / 2, -m_sprite->GetHeight() / 2) {}

PowerUp::~PowerUp() = default;

void PowerUp::Home(float playerX, float playerY, float dt) {
    // The distance is taken from a point 48 pixels down-right of the
    // power-up, as the drops were tuned with.
    const float dx = x + 16 - playerX + 32;
    const float dy = y + 16 - playerY + 32;
    const float d = std::sqrt(dx * dx + dy * dy);
    const float pull = d == 0 ? 0.0f : 30000.0f / d;
    const float a = 90.0f - std::atan2(playerX - x, playerY - y) * kDegreesPerRadian;
    x += std::cos(a / kDegreesPerRadian) * pull * dt;
    y += std::sin(a / kDegreesPerRadian) * pull * dt;
}

void PowerUp::Render() {
    m_sprite->Render(x, y);
}
