// What a kind of item (items.xml) looks like and does when used.
#pragma once

#include <string>

struct ItemDefinition {
    std::string spriteName;   // lying in the world; also its pick-up box
    std::string iconName;     // in an inventory cell
    std::string particleName; // empty: none
    bool dynamic = false;
    std::string name;
    int type = 0; // 0: used up on use; anything else: kept
    std::string command;
    bool constantEffect = false;
    std::string description;
    int line = 0; // of the record in its file, for reports
};
