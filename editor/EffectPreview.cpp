#include "editor/EffectPreview.h"

#include "editor/EffectPlacement.h"

EffectPreview::EffectPreview() = default;
EffectPreview::~EffectPreview() = default;

void EffectPreview::Draw(const std::string& name, float x, float y, float dt) {
    if (name.empty()) {
        return;
    }
    if (!m_effect || m_effect->name != name) {
        m_effect = std::make_unique<EffectPlacement>(name, x, y, false);
    }
    m_effect->x = x;
    m_effect->y = y;
    m_effect->Update(dt);
    m_effect->Draw();
}
