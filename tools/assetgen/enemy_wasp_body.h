// The wasp figure seen from the side, facing right, at troop size or as the crowned king at twice the size.
#pragma once
#include "canvas.h"

namespace art {

struct WaspLook {
    double k = 1;         // pixels per design unit
    bool royal = false;   // gold crown and purple mantle
};

// Draws one right-facing wasp onto `frame` (32k pixels square). wings: 0 up, 1 level,
// 2 down. curl: 0 flying, 1..4 the sting, the abdomen swinging under and forward,
// the sting out at 3 and 4 (4 with a glint on its point).
void draw_wasp(Canvas& frame, int wings, int curl, const WaspLook& look);

}  // namespace art
