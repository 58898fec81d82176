// What a spell does (its definition) and which orbs select it (its
// combination); both are kept under the spell's position in spells.xml.
#pragma once

#include <string>
#include <vector>

enum SpellKind { S_PROJ = 0, S_MPROJ = 1, S_AREA = 2 };

struct SpellDefinition {
    bool caster = false;
    int kind = S_PROJ;
    float duration = 0;
    int dmg1 = 0;
    int dmg2 = 0;
    int dmgw = 0;
    int dmgh = 0;
    std::string dmgt;
    bool special = false;
    int number = 0;
    float speed = 0;
    float width = 0;
    float height = 0;
    float fireCost = 0;
    float iceCost = 0;
    float earthCost = 0;
    float windCost = 0;
    float it = 0;
    float itc = 0;
    std::string spriteName;
    std::vector<int> directions;
    int line = 0; // of the record in its file, for reports
};

struct SpellCombination {
    bool fire = false;
    bool ice = false;
    bool earth = false;
    bool wind = false;
    int it = 0;
};
