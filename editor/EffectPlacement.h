// An effect placed in the editor: the named emitter playing in a loop where
// the game will play it, with the game's 350 x 350 box for selecting.
#pragma once

#include "editor/Placement.h"

class FX_Emitter;

class EffectPlacement : public Placement {
public:
    static constexpr float kBoxSize = 350.0f;

    EffectPlacement(std::string name, float x, float y, bool selected);
    ~EffectPlacement() override;

    bool Dynamic() const override { return false; }
    void Update(float dt) override;
    void Draw() override;
    // The box shows when selected or in test mode, and always when the
    // effect cannot be played.
    bool Outlined(bool testMode) const override {
        return testMode || selected || (m_spawned && !m_emitter);
    }

private:
    FX_Emitter* Emitter();

    std::unique_ptr<FX_Emitter> m_emitter;
    bool m_spawned = false;
    float m_emitterX = 0;
    float m_emitterY = 0;
};
