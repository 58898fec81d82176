// One choice on offer at the end of a dialogue's lines: its label and the
// box under it that the mouse lights and clicks.
#pragma once

#include "toolkit/BitmapFont.h"
#include "toolkit/CollisionBox.h"

#include <string>

class DialogueChoice : Pinned {
public:
    // Choice k sits 30 pixels below choice k - 1, centred, from 200 pixels
    // above the bottom of the screen. Without a font it has an empty box.
    DialogueChoice(BitmapFont* font, std::string text, int index, int screenWidth,
                   int screenHeight);

    BitmapFont* font;
    std::string text;
    int index;
    float x;
    float y;
    CollisionBox box;
};
