// Small decorations the bosses share: dizzy stars and flying clods of earth.
#pragma once
#include "canvas.h"

namespace art {

// A five-pointed star of outer radius r pixels centred at (cx, cy), outlined.
void draw_star(Canvas& c, double cx, double cy, double r, double turn);
// A clod of earth, about r pixels across, outlined.
void draw_clod(Canvas& c, int cx, int cy, int r);

}  // namespace art
