// Spells in flight and the four orb counts that pay for them.
#pragma once

class SpellManager {
public:
    void ResetOrbs() {
        fire = 30.0f;
        ice = 20.0f;
        earth = 10.0f;
        wind = 5.0f;
    }

    // Orb counts in element order; fractional because a kill gives half an orb.
    float fire = 30.0f;
    float ice = 20.0f;
    float earth = 10.0f;
    float wind = 5.0f;
};

SpellManager& TheSpellManager();
