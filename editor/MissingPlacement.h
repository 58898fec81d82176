// A placement whose name no definition has (a typo, a definition file that
// failed to load): drawn as a labelled outline, selectable, movable and
// deletable, and written back unchanged, so a save never deletes it.
#pragma once

#include "editor/Placement.h"

class MissingPlacement : public Placement {
public:
    MissingPlacement(std::string name, float x, float y, bool selected)
        : Placement(nullptr, nullptr, std::move(name), x, y, selected) {}

    bool Dynamic() const override { return false; }
    bool Missing() const override { return true; }
};
