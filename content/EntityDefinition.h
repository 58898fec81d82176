// What a kind of world entity (entity.xml) or map effect (effects.xml) is.
// The definition's name is its key in the database, not a field.
#pragma once

#include <string>

struct EntityDefinition {
    std::string spriteName;   // empty: no sprite
    std::string particleName; // empty: no particle system
    bool dynamic = false;     // stays active once seen
    std::string playerTrigger;
    std::string spellTrigger;
    std::string enemyTrigger;
    bool collidesWithPlayer = false;
    bool collidesWithSpells = false;
    bool collidesWithEnemies = false;
    // Drawing order among the active entities, lowest first; entities of
    // one layer keep the list's order. Optional, 0 by default, so ground
    // patches (-1) stay under the props whenever either comes into view.
    int layer = 0;
    int line = 0; // of the record in its file, for reports
};
