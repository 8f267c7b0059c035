// The progress map's pictures: the painted map of the land and the hero's head that marks the journey.
#include "canvas.h"
#include "generators.h"
#include "screen_map_picture.h"

namespace art {

// Nibbs's head from the front, 32 x 32: grey-brown fur, big round pink ears, black eyes,
// pink nose, whiskers and the knot of his red scarf, outlined dark.
Canvas hero_head() {
    Canvas c(32, 32);
    // Ears, behind the head.
    fill_ellipse_box(c, 1, 1, 12, 12, FUR + 4);
    fill_ellipse_box(c, 19, 1, 12, 12, FUR + 4);
    fill_ellipse_box(c, 3, 3, 8, 8, SKIN + 4);
    fill_ellipse_box(c, 21, 3, 8, 8, SKIN + 4);
    fill_ellipse_box(c, 4, 4, 5, 5, SKIN + 5);
    fill_ellipse_box(c, 22, 4, 5, 5, SKIN + 5);
    c.set(5, 5, SKIN + 7);
    c.set(23, 5, SKIN + 7);
    // Head narrowing to the muzzle, lit from the upper left.
    fill_ellipse_box(c, 6, 7, 20, 17, FUR + 4);
    fill_polygon(c, {{8, 18}, {24, 18}, {20, 27}, {12, 27}}, FUR + 4);
    shade_ellipse(c, 6, 7, 20, 21, FUR, 2, 6);
    // Pale muzzle and cheeks.
    fill_ellipse_box(c, 10, 19, 12, 8, FUR + 6);
    fill_ellipse_box(c, 12, 18, 8, 4, FUR + 6);
    // Eyes: black with a glint.
    fill_ellipse_box(c, 10, 13, 4, 5, BLACK);
    fill_ellipse_box(c, 18, 13, 4, 5, BLACK);
    c.set(11, 14, WHITE);
    c.set(19, 14, WHITE);
    // Brows give him a plucky look.
    c.set(10, 12, FUR + 1);
    c.set(11, 11, FUR + 1);
    c.set(12, 11, FUR + 1);
    c.set(21, 12, FUR + 1);
    c.set(20, 11, FUR + 1);
    c.set(19, 11, FUR + 1);
    // Nose and teeth.
    fill_ellipse_box(c, 14, 21, 4, 3, SKIN + 3);
    c.set(14, 21, SKIN + 6);
    c.set(15, 24, FUR + 2);
    c.set(16, 24, FUR + 2);
    c.set(15, 25, WHITE);
    c.set(16, 25, WHITE);
    // Whiskers.
    line(c, 11, 22, 5, 20, FUR + 2);
    line(c, 11, 23, 5, 24, FUR + 2);
    line(c, 20, 22, 26, 20, FUR + 2);
    line(c, 20, 23, 26, 24, FUR + 2);
    // Scarf knotted under the chin.
    fill_rect(c, 10, 27, 12, 3, RED + 4);
    for (int x = 10; x < 22; ++x) c.set(x, 27, RED + 5);
    fill_polygon(c, {{17, 28}, {21, 28}, {20, 31}, {17, 31}}, RED + 3);
    outline(c, BLACK);
    return c;
}

void make_progress_map(const std::string& dir) {
    save_bmp(dir, "PROGRESSMAP.BMP", draw_progress_map());
    save_bmp(dir, "HEAD.BMP", hero_head());
}

}  // namespace art
