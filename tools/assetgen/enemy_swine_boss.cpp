// Lord Hogrand the swine boss, "LordHogrand.BMP", and his thrown spear, "spear.BMP".
#include "enemy_draw.h"
#include "enemy_pig_body.h"
#include "enemy_sheets.h"

namespace art {
namespace {

Canvas lord(int step, bool armed) {
    Canvas f(64, 64);
    draw_pig(f, FACING_DOWN, step, PigLook{2, true, armed});
    return f;
}

// The spear lying along +x: butt at the left, blade at the right, across the middle of a 64 square.
Canvas spear_right() {
    Canvas c(64, 64);
    Pen p{c};
    pen_rect(p, 3, 31, 44, 3, WOOD + 4);
    pen_rect(p, 3, 31, 44, 1, WOOD + 6);
    pen_rect(p, 3, 33, 44, 1, WOOD + 2);
    // Leather grip bands and the butt cap.
    for (int x : {20, 24}) pen_rect(p, x, 31, 2, 3, WOOD + 1);
    pen_rect(p, 1, 30, 3, 5, STEEL + 3);
    // Gold socket, purple tassel and the leaf-shaped steel blade.
    pen_rect(p, 45, 30, 4, 5, GOLD + 5);
    pen_rect(p, 45, 30, 4, 1, GOLD + 7);
    pen_polygon(p, {{46, 34}, {48, 34}, {44, 41}, {41, 40}}, PURPLE + 5);
    pen_polygon(p, {{49, 27}, {56, 29}, {63, 32.5}, {56, 36}, {49, 38}}, STEEL + 5);
    pen_polygon(p, {{49, 27}, {56, 29}, {63, 32.5}, {49, 32.5}}, STEEL + 7);
    line(c, 50, 32, 60, 32, STEEL + 3);
    Canvas out(64, 64);
    stamp(out, c);
    return out;
}

}  // namespace

Canvas swine_boss_sheet() {
    // Frames 0-2 walk facing down (0 stands, 1 and 2 stride): the lord never turns.
    // Frame 3 is spare: the stance with his spear thrown.
    return sheet({lord(0, true), lord(1, true), lord(2, true), lord(0, false)}, 4);
}

Canvas spear_sheet() { return projectile_sheet(spear_right()); }

}  // namespace art
