// The heads-up display's item pictures, shared by its icons and the browser's touch buttons.
#pragma once
#include "canvas.h"

namespace art {

// The sword, point up and to the right, outlined, on a 32 x 32 canvas.
Canvas sword_shape();
// The bow, stave on the left and string on the right, with an arrow nocked or without, outlined,
// on a 32 x 32 canvas.
Canvas bow_shape(bool nocked);

}  // namespace art
