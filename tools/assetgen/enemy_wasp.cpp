// The troop wasp's sheet "Wasp.BMP", King Vespro's "KingVespro.BMP" and the stinger "stinger.BMP".
#include "enemy_draw.h"
#include "enemy_sheets.h"
#include "enemy_wasp_body.h"

namespace art {
namespace {

// Row 0 faces right: frames 0-2 fly (wings up, level, down), 3-6 sting. Row 1 is the
// same seven frames turned to face left (frames 7-13).
Canvas wasp_frames(const WaspLook& look) {
    int size = static_cast<int>(32 * look.k);
    std::vector<Canvas> right;
    for (int w = 0; w < 3; ++w) {
        Canvas f(size, size);
        draw_wasp(f, w, 0, look);
        right.push_back(f);
    }
    const int sting_wings[4] = {0, 1, 2, 1};
    for (int i = 0; i < 4; ++i) {
        Canvas f(size, size);
        draw_wasp(f, sting_wings[i], i + 1, look);
        right.push_back(f);
    }
    std::vector<Canvas> all = right;
    for (const Canvas& f : right) all.push_back(flip_horizontal(f));
    return sheet(all, 7);
}

// A dart pointing right across the middle of a 32 square: striped butt, pale needle.
Canvas stinger_right() {
    Canvas c(32, 32);
    Pen p{c};
    pen_polygon(p, {{13, 14}, {28.5, 15.6}, {28.5, 16.4}, {13, 18}}, STEEL + 6);
    pen_polygon(p, {{13, 14}, {28.5, 15.6}, {28.5, 16}, {13, 16}}, STEEL + 7);
    pen_tilted(p, 10, 16, 5.5, 3, 0, [](double u, double w) {
        int band = static_cast<int>((u + 1) * 2.5);
        int shade = w < -0.2 ? 6 : w < 0.4 ? 4 : 3;
        return band % 2 ? NIGHT + shade - 2 : GOLD + shade;
    });
    Canvas out(32, 32);
    stamp(out, c);
    return out;
}

}  // namespace

Canvas wasp_sheet() { return wasp_frames(WaspLook{}); }

Canvas wasp_boss_sheet() { return wasp_frames(WaspLook{2, true}); }

Canvas stinger_sheet() { return projectile_sheet(stinger_right()); }

}  // namespace art
