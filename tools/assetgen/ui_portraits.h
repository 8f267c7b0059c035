// The speech-box portraits: six 112 x 112 busts, three to a row.
#pragma once
#include "canvas.h"

namespace art {

// Frames in speaker order: 0 the hero, 1 the grandfather, 2 the mole warlord,
// 3 the pig lord, 4 the wasp king, 5 a rat prisoner. 336 x 224 pixels.
Canvas make_portrait_sheet();

}  // namespace art
