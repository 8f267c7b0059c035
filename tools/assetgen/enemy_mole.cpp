// The troop mole's sheet, "mole.BMP": four walking directions of three frames each.
#include "enemy_mole_body.h"
#include "enemy_sheets.h"

namespace art {

Canvas mole_sheet() {
    return walking_sheet([](Canvas& f, int facing, int step) { draw_mole(f, facing, step, MoleLook{}); });
}

}  // namespace art
