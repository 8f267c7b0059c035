// Writes every enemy and boss bitmap: troops, bosses and their projectiles.
#include "enemy_sheets.h"
#include "generators.h"

namespace art {

void make_enemy_art(const std::string& dir) {
    save_bmp(dir, "mole.BMP", mole_sheet());
    save_bmp(dir, "DorvikMole.BMP", mole_boss_sheet());
    save_bmp(dir, "Pig.BMP", pig_sheet());
    save_bmp(dir, "LordHogrand.BMP", swine_boss_sheet());
    save_bmp(dir, "spear.BMP", spear_sheet());
    save_bmp(dir, "Wasp.BMP", wasp_sheet());
    save_bmp(dir, "stinger.BMP", stinger_sheet());
    save_bmp(dir, "KingVespro.BMP", wasp_boss_sheet());
}

}  // namespace art
