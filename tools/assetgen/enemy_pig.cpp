// The troop pig's sheet, "Pig.BMP": four walking directions of three frames each.
#include "enemy_pig_body.h"
#include "enemy_sheets.h"

namespace art {

Canvas pig_sheet() {
    return walking_sheet([](Canvas& f, int facing, int step) { draw_pig(f, facing, step, PigLook{}); });
}

}  // namespace art
