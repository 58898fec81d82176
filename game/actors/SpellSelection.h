// Picking the spell to cast from the element keys held.
#pragma once

// Reads keys 1-4, Q and 5 into the clock's selection flags and returns the
// index of the first spell whose combination matches, or -1.
int SelectSpell();
