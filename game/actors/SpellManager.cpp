#include "game/actors/SpellManager.h"

#include "content/DefinitionDatabase.h"
#include "game/actors/EnemyManager.h"
#include "game/actors/enemies/Base_Enemy.h"
#include "game/core/Game.h"
#include "game/core/GameClock.h"
#include "overlays/AlertList.h"
#include "platform/registry/Registry.h"

SpellManager& TheSpellManager() {
    return Registry::Current().Get<SpellManager>();
}

namespace {

// One hit: the rolled damage floats over the enemy (fireballs take it
// silently), then the enemy takes it as its type.
void DealHit(const SpellDefinition& spell, Base_Enemy& enemy) {
    const int damage = TheGame()->engine->Random_Int(spell.dmg1, spell.dmg2);
    if (enemy.kind != kLittles) {
        std::string text = "-";
        text += std::to_string(damage);
        Registry::Current().Get<AlertList>().AddAlert(0xFF00FF14, text, enemy.x, enemy.y, 0.01f, 2,
                                                      false);
    }
    enemy.TakeHit(static_cast<float>(damage), spell.dmgt);
}

} // namespace

const DefinitionDatabase& SpellManager::Definitions() const {
    return m_definitions ? *m_definitions : TheDefinitionDatabase();
}

bool SpellManager::CanPay(const SpellDefinition& spell) const {
    return fire >= spell.fireCost && ice >= spell.iceCost && earth >= spell.earthCost &&
           wind >= spell.windCost;
}

void SpellManager::Cast(float x, float y, float angle, int index) {
    if (index == -1) {
        return;
    }
    const SpellDefinition* spell = Definitions().Spell(index);
    if (!spell) {
        return;
    }
    if (!CanPay(*spell)) {
        GameClock& clock = TheGameClock();
        clock.fire = clock.ice = clock.earth = clock.wind = clock.it = false;
        return;
    }
    if (spell->kind == S_MPROJ) {
        // An empty volley casts nothing and still costs its orbs.
        for (int direction : spell->directions) {
            m_instances.push_back(std::make_unique<SpellInstance>(
                *spell, x, y, angle + static_cast<float>(direction), m_content));
        }
    } else {
        m_instances.push_back(std::make_unique<SpellInstance>(*spell, x, y, angle, m_content));
    }
    fire -= spell->fireCost;
    ice -= spell->iceCost;
    earth -= spell->earthCost;
    wind -= spell->windCost;
}

bool SpellManager::ResolveHits(SpellInstance& spell,
                               const std::vector<std::unique_ptr<Base_Enemy>>& enemies) {
    if (!spell.IsProjectile()) {
        if (!spell.Applied()) {
            m_broadPhase.Overlapping(spell.Box(), m_hits);
            for (int index : m_hits) {
                DealHit(spell.Definition(), *enemies[static_cast<std::size_t>(index)]);
            }
            // Once only, also when nothing was there to strike.
            spell.MarkApplied();
        }
        return false;
    }
    m_broadPhase.Overlapping(spell.Box(), m_hits);
    if (m_hits.empty()) {
        return false;
    }
    DealHit(spell.Definition(), *enemies[static_cast<std::size_t>(m_hits.front())]);
    return true;
}

void SpellManager::Update() {
    const auto& enemies = TheEnemyManager().Enemies();
    m_broadPhase.Build(enemies);
    for (auto it = m_instances.begin(); it != m_instances.end();) {
        SpellInstance& spell = **it;
        if (spell.Advance() || ResolveHits(spell, enemies)) {
            it = m_instances.erase(it);
        } else {
            ++it;
        }
    }
}

void SpellManager::Render() {
    for (const auto& spell : m_instances) {
        spell->Render();
    }
}
