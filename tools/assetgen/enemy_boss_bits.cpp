// Dizzy stars and clods of earth for the bosses' stunned and digging frames.
#include "enemy_boss_bits.h"

#include <cmath>

#include "enemy_draw.h"

namespace art {

void draw_star(Canvas& c, double cx, double cy, double r, double turn) {
    Canvas layer(c.width, c.height);
    Pen p{layer};
    Points pts;
    for (int i = 0; i < 10; ++i) {
        double a = turn + i * M_PI / 5 - M_PI / 2;
        double d = i % 2 ? r * 0.45 : r;
        pts.emplace_back(cx + d * std::cos(a), cy + d * std::sin(a));
    }
    pen_polygon(p, pts, GOLD + 6);
    fill_rect(layer, static_cast<int>(cx) - 1, static_cast<int>(cy) - 1, 2, 2, GOLD + 7);
    stamp(c, layer);
}

void draw_clod(Canvas& c, int cx, int cy, int r) {
    Canvas layer(c.width, c.height);
    fill_ellipse_box(layer, cx - r, cy - r + 1, 2 * r, 2 * r - 1, DIRT + 4);
    shade_ellipse(layer, cx - r, cy - r + 1, 2 * r, 2 * r - 1, DIRT, 2, 6);
    stamp(c, layer);
}

}  // namespace art
