// The enemy and boss sprite sheets, each laid out cell by cell as the game cuts its frames.
#pragma once
#include "base/direction.h"
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

// A troop's walking sheet, 4 x 3 cells of 32: frames 0-2 walk down, 3-5 up, 6-8 right, 9-11
// left; in each group the first frame stands and the other two are the strides.
// `draw(frame, facing, step)` draws one frame.
template <class Draw>
Canvas walking_sheet(Draw draw) {
    const Direction order[4] = {FACING_DOWN, FACING_UP, FACING_RIGHT, FACING_LEFT};
    std::vector<Canvas> frames;
    for (Direction facing : order)
        for (int step = 0; step < 3; ++step) {
            Canvas f(32, 32);
            draw(f, facing, step);
            frames.push_back(f);
        }
    return sheet(frames, 4);
}

}  // namespace art
