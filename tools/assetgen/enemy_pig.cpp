// The troop pig's sheet, "Pig.BMP": four walking directions of three frames each.
#include "enemy_pig_body.h"
#include "enemy_sheets.h"

namespace art {

Canvas pig_sheet() {
    // Laid out as the mole's: frames 0-2 walk down, 3-5 up, 6-8 right, 9-11 left;
    // in each group the first frame stands and the other two are the strides.
    const int order[4] = {FACE_DOWN, FACE_UP, FACE_RIGHT, FACE_LEFT};
    std::vector<Canvas> frames;
    for (int facing : order)
        for (int step = 0; step < 3; ++step) {
            Canvas f(32, 32);
            draw_pig(f, facing, step, PigLook{});
            frames.push_back(f);
        }
    return sheet(frames, 4);
}

}  // namespace art
