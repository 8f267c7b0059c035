// The 320 x 240 painted map shown between levels.
#pragma once
#include "canvas.h"

namespace art {

// The land from Curdwick to the Great Tree, with the road through the three places where
// the hero's head is drawn before levels 1, 2 and 3.
Canvas draw_progress_map();

}  // namespace art
