// The mole figure, drawn at troop size or, with its boss gear, at twice the size.
#pragma once
#include "canvas.h"

namespace art {

struct MoleLook {
    double k = 1;          // pixels per design unit: 1 for a troop mole, 2 for the boss
    double claw = 1;       // claw size
    bool dizzy = false;    // crossed eyes and drooping claws
    int lift = 0;          // design units the whole figure is raised (negative: lowered)
    bool eyes = true;      // false when the wearer draws eyes of its own
};

// Draws one mole frame onto `frame` (32k pixels square). facing: a Direction;
// step 0 stands, 1 and 2 are the two strides of the walk.
void draw_mole(Canvas& frame, int facing, int step, const MoleLook& look);

}  // namespace art
