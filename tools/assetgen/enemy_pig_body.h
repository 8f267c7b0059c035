// The upright pig figure: a farmhand in overalls with a club, or at twice the size its lord in armour with a spear.
#pragma once
#include "canvas.h"

namespace art {

struct PigLook {
    double k = 1;        // pixels per design unit
    bool lord = false;   // helmet, breastplate, cape, tusks and a spear instead of overalls and club
    bool armed = true;   // holds his weapon
};

// Draws one pig frame onto `frame` (32k pixels square). facing: a Direction;
// step 0 stands, 1 and 2 are the two strides of the walk.
void draw_pig(Canvas& frame, int facing, int step, const PigLook& look);

}  // namespace art
