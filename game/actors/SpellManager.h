// Spells in flight and the four orb counts that pay for them: casting turns
// the selected spell into projectiles or an area, each frame moves them and
// lets them strike the enemies, and the world pass draws them.
#pragma once

#include "game/actors/EnemyBroadPhase.h"
#include "game/actors/SpellContent.h"
#include "game/actors/SpellInstance.h"

#include <list>
#include <memory>
#include <vector>

class Base_Enemy;
class DefinitionDatabase;

class SpellManager {
public:
    void ResetOrbs() {
        fire = 30.0f;
        ice = 20.0f;
        earth = 10.0f;
        wind = 5.0f;
    }

    // The spell of that index from (x, y) along the angle (degrees), if the
    // orbs suffice; a shortfall drops the element selection. -1 does nothing.
    void Cast(float x, float y, float angle, int index);
    // Once a frame while the game runs: moves every spell, removes the
    // finished ones and resolves the hits of the others.
    void Update();
    // In the world pass, after the player.
    void Render();

    // The definitions spells are cast from: the game's database unless a
    // test gives its own (it must outlive the spells cast from it).
    const DefinitionDatabase& Definitions() const;
    void UseDefinitions(const DefinitionDatabase* definitions) { m_definitions = definitions; }

    const std::list<std::unique_ptr<SpellInstance>>& Instances() const { return m_instances; }

    // Orb counts in element order; fractional because a kill gives half an orb.
    float fire = 30.0f;
    float ice = 20.0f;
    float earth = 10.0f;
    float wind = 5.0f;
    // What SelectSpell gave this frame: the spell a right click casts.
    int selected = -1;

private:
    bool CanPay(const SpellDefinition& spell) const;
    // Deals this frame's hits of a live spell on the enemy list; true when
    // it is a projectile that spent itself.
    bool ResolveHits(SpellInstance& spell, const std::vector<std::unique_ptr<Base_Enemy>>& enemies);

    std::list<std::unique_ptr<SpellInstance>> m_instances;
    const DefinitionDatabase* m_definitions = nullptr;
    SpellContent m_content;
    EnemyBroadPhase m_broadPhase;
    std::vector<int> m_hits;
};

SpellManager& TheSpellManager();
