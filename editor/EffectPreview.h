// The selected effect playing faintly at the snapped cursor while the panel
// lists effects, since an effect has no thumbnail to show.
#pragma once

#include <memory>
#include <string>

class EffectPlacement;

class EffectPreview {
public:
    EffectPreview();
    ~EffectPreview();
    // Under the camera transform.
    void Draw(const std::string& name, float x, float y, float dt);

private:
    std::unique_ptr<EffectPlacement> m_effect;
};
