// The player's 10 x 5 item grid. It pauses the game while open.
#pragma once

class Inventory {
public:
    bool open = false;
};

Inventory& TheInventory();
