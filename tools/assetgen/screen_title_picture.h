// The 480 x 300 title picture of the title screen.
#pragma once
#include "canvas.h"

namespace art {

// The game's name on a ribbon over a medallion of the hero; transparent around it so
// the brick wall shows through.
Canvas draw_title_picture();

}  // namespace art
