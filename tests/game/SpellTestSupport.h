// Spells for tests: a spell record in the file's format, a definition
// database holding just the spells given, and an enemy that remembers the
// hits it took.
#pragma once

#include "content/ContentReport.h"
#include "content/DefinitionDatabase.h"
#include "game/actors/enemies/Base_Enemy.h"
#include "platform/engine/Engine.h"
#include "tests/support/TestSupport.h"

#include <string>
#include <utility>
#include <vector>

namespace spell_test {

struct SpellText {
    std::string type = "S_PROJ";
    std::string size = "w='20' h='20'";
    std::string damage = "dmg1='40' dmg2='40' dmgt='fire'";
    std::string effect = "special='0' no='1' dur='2' speed='300' sprname='sp_fire'";
    std::string combine = "f='1'";
    std::string extra; // proj children
};

inline std::string Spell(const SpellText& s) {
    return "<spell type='" + s.type + "' " + s.size + " caster='1'><damage " + s.damage +
           " dmgw='0' dmgh='0'/><effect " + s.effect +
           "/><aeffect no='0' dmg1='0' dmg2='0' dmgw='0' dmgh='0' dmgt=''/><combine " + s.combine +
           "/>" + s.extra + "</spell>";
}

// Loads the spells (the text inside <spells>) with empty other files.
inline void LoadSpells(DefinitionDatabase& database, const std::string& spells) {
    const std::string dir = testing_support::MakeTempDir("spells");
    testing_support::WriteFile(dir + "/resources/spells.xml", "<spells>" + spells + "</spells>");
    testing_support::WriteFile(dir + "/resources/entity.xml", "<entitydata/>");
    testing_support::WriteFile(dir + "/resources/effects.xml", "<fxdata/>");
    testing_support::WriteFile(dir + "/resources/items.xml", "<itemdata/>");
    Engine* engine = EngineCreate(ENGINE_VERSION);
    EngineContentReport report(*engine);
    database.Load(report, nullptr, dir + "/");
    engine->Release();
}

// A still enemy with the minion's look that keeps count of its hits.
class StandIn : public Base_Enemy {
public:
    StandIn(float x, float y, int kind = kMinionSoul, const char* element = "")
        : Base_Enemy(x, y, nullptr, kind) {
        health = maxHealth = 10000;
        elementName = element;
        Finish("basic_enemy", "fx/enemy.psi", nullptr);
    }
    void TakeHit(float damage, const std::string& type) override {
        hits.emplace_back(damage, type);
        Base_Enemy::TakeHit(damage, type);
    }
    std::vector<std::pair<float, std::string>> hits;
};

} // namespace spell_test
