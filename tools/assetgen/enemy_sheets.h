// The enemy and boss sprite sheets, each laid out cell by cell as the game cuts its frames.
#pragma once
#include "canvas.h"

namespace art {

Canvas mole_sheet();        // 4 x 3 cells of 32: down 0-2, up 3-5, right 6-8, left 9-11
Canvas mole_boss_sheet();   // 10 x 1 cells of 64: walk, stunned, digging in, mound
Canvas pig_sheet();         // 4 x 3 cells of 32, laid out as the mole's
Canvas swine_boss_sheet();  // 4 x 1 cells of 64, facing down
Canvas spear_sheet();       // 4 x 1 cells of 64: up, down, right, left
Canvas wasp_sheet();        // 7 x 2 cells of 32: right-facing row, then the left-facing row
Canvas wasp_boss_sheet();   // 7 x 2 cells of 64, laid out as the wasp's
Canvas stinger_sheet();     // 4 x 1 cells of 32: up, down, right, left

// Facing codes of the walking frames, as the game numbers directions.
constexpr int FACE_UP = 0;
constexpr int FACE_DOWN = 1;
constexpr int FACE_LEFT = 2;
constexpr int FACE_RIGHT = 3;

}  // namespace art
