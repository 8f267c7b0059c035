// The title menu's pictures: brick wall tile, title, menu plaques, sword pointer, game over.
#include <algorithm>
#include <cmath>

#include "canvas.h"
#include "generators.h"
#include "screen_paint.h"
#include "screen_title_picture.h"

namespace art {
namespace {

// One 32 x 32 tile of grey stone bricks, 16 x 8 each with a dark mortar line on their
// lower and right sides, every other course shifted half a brick. The joints fall so
// that the tile repeats seamlessly in both directions.
Canvas grey_brick() {
    Canvas c(32, 32);
    for (int y = 0; y < 32; ++y) {
        int course = y / 8, row = y % 8;
        int shift = (course % 2) * 8;
        for (int x = 0; x < 32; ++x) {
            int along = (x - shift + 32) % 32;
            int col = along % 16, brick = along / 16;
            if (row == 7 || col == 15) {
                c.set(x, y, STONE + 0);
                continue;
            }
            // Each brick has its own tone; faces are lit from the upper left.
            int base = 2 + static_cast<int>(noise(brick, course, 71) % 2);
            int shade = base;
            if (row == 0 || col == 0) shade = base + 1;
            if (row == 6 || col == 14) shade = base - 1;
            uint32_t grain = noise(x, y, 72) % 16;
            if (grain == 0) shade -= 1;
            if (grain == 1 && shade < 4) shade += 1;
            c.set(x, y, STONE + std::clamp(shade, 1, 4));
        }
    }
    return c;
}

// A menu entry: a gold-framed wooden plaque with the word on it. The plaque sits in the
// upper 60 rows so that the Quit entry, drawn 80 pixels lower, never covers START; its
// middle row (28) lines up with the sword pointer drawn beside it.
Canvas menu_plaque(const std::string& word, int letter_size = 34) {
    Canvas c(200, 100);
    const int x0 = 4, y0 = 4, w = 192, h = 50;
    // Rounded frame: outline, gold rim, wooden panel.
    auto rounded = [&](int inset, int index) {
        int r = std::max(1, 8 - inset);
        fill_rect(c, x0 + inset + r, y0 + inset, w - 2 * inset - 2 * r, h - 2 * inset, index);
        fill_rect(c, x0 + inset, y0 + inset + r, w - 2 * inset, h - 2 * inset - 2 * r, index);
        fill_circle(c, x0 + inset + r, y0 + inset + r, r, index);
        fill_circle(c, x0 + w - 1 - inset - r, y0 + inset + r, r, index);
        fill_circle(c, x0 + inset + r, y0 + h - 1 - inset - r, r, index);
        fill_circle(c, x0 + w - 1 - inset - r, y0 + h - 1 - inset - r, r, index);
    };
    rounded(0, BLACK);
    rounded(1, GOLD + 4);
    rounded(4, BLACK);
    rounded(5, WOOD + 2);
    // Shade the gold rim from light at the top to dark at the bottom.
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            if (c.at(x, y) == GOLD + 4) c.set(x, y, dither_shade(x, y, double(y - y0) / h, GOLD, 7, 2));
    // Wood grain: streaks along the planks, a seam between two planks.
    for (int y = y0 + 5; y < y0 + h - 5; ++y)
        for (int x = x0 + 5; x < x0 + w - 5; ++x) {
            if (c.at(x, y) != WOOD + 2) continue;
            double g = smooth_noise(x * 0.15, y * 1.6, 1.0, 90);
            int shade = g > 0.66 ? 3 : g < 0.3 ? 1 : 2;
            if (y == y0 + 6) shade = 4;
            if (y == y0 + h / 2) shade = 0;
            c.set(x, y, WOOD + shade);
        }
    // Gold studs in the corners.
    for (int sx : {x0 + 11, x0 + w - 12})
        for (int sy : {y0 + 11, y0 + h - 12}) {
            fill_circle(c, sx, sy, 3, BLACK);
            fill_circle(c, sx, sy, 2, GOLD + 5);
            c.set(sx - 1, sy - 1, GOLD + 7);
        }
    Canvas text = paint_lettering(word, "DejaVuSerif-Bold.ttf", letter_size, gold_lettering(WOOD + 0, 2));
    paste_centred(c, text, x0 + w / 2, y0 + h / 2);
    return c;
}

// The sword pointer, 48 x 16, pointing right. `glint` 0..4 places a light on the blade:
// 4 by the hilt, 0 at the point, where it also flashes as a star.
Canvas sword_frame(int glint) {
    Canvas c(48, 16);
    // Blade, edges lit from above, narrowing to the point.
    for (int x = 16; x <= 44; ++x) {
        int half = x < 38 ? 2 : std::max(0, (44 - x) / 3);
        for (int y = 8 - half; y < 8 + half || (half == 0 && y == 8); ++y) {
            int shade = y < 7 ? 7 : y == 7 ? 6 : y == 8 ? 4 : 3;
            c.set(x, y, STEEL + shade);
        }
    }
    c.set(45, 8, STEEL + 5);
    // Fuller: a groove down the middle of the blade.
    for (int x = 18; x <= 34; ++x) c.set(x, 8, STEEL + 5);
    // Cross-guard, grip and pommel.
    fill_rect(c, 12, 3, 3, 10, GOLD + 4);
    for (int y = 3; y < 13; ++y) c.set(12, y, GOLD + 6);
    c.set(13, 3, GOLD + 7);
    fill_rect(c, 5, 6, 7, 4, WOOD + 2);
    for (int x = 5; x < 12; x += 2) {
        c.set(x, 6, WOOD + 4);
        c.set(x + 1, 9, WOOD + 0);
    }
    fill_circle(c, 3, 7, 2, GOLD + 4);
    c.set(2, 6, GOLD + 7);
    outline(c, BLACK);
    // The glint: a short band of white across the blade.
    int gx = 40 - glint * 6;
    for (int x = gx - 2; x <= gx + 2; ++x)
        for (int y = 5; y <= 10; ++y) {
            int v = c.at(x, y);
            if (v < STEEL || v >= STEEL + 8) continue;
            c.set(x, y, std::abs(x - gx) <= 1 ? WHITE : STEEL + 7);
        }
    if (glint == 0) {
        // A four-pointed star flashes at the point.
        for (int d = 1; d <= 3; ++d) {
            c.set(42, 8 - d - 1, d < 3 ? WHITE : CREAM + 7);
            c.set(42, 8 + d, d < 3 ? WHITE : CREAM + 7);
            c.set(42 + d, 8, WHITE);
            c.set(42 - d, 8, WHITE);
        }
        c.set(42, 8, WHITE);
        c.set(42, 7, WHITE);
    }
    return c;
}

// "GAME OVER" in blood red with drips. The game stretches this 320 x 100 picture to
// 550 x 300, so the letters are drawn squashed to come out only a little tall.
Canvas game_over() {
    Canvas glyphs = trim(render_text("GAME OVER", "DejaVuSerif-Bold.ttf", 52, WHITE));
    Canvas mask = scaled(glyphs, 300, glyphs.height * 72 / 100);
    // Drips run down from a few letters' feet.
    Canvas dripped(mask.width, mask.height + 14);
    paste(dripped, mask, 0, 0);
    const int drip_x[] = {14, 58, 101, 176, 226, 281};
    const int drip_len[] = {8, 5, 10, 7, 11, 6};
    for (int i = 0; i < 6; ++i) {
        int x = drip_x[i];
        int foot = mask.height - 1;
        while (foot > 0 && !mask.at(x, foot)) --foot;
        if (foot < mask.height - 4) continue;  // no letter foot here
        fill_rect(dripped, x - 1, foot, 2, drip_len[i], WHITE);
        fill_circle(dripped, x, foot + drip_len[i], 2, WHITE);
    }
    Lettering style;
    style.fill = {RED + 7, RED + 6, RED + 5, RED + 4, RED + 4, RED + 3, RED + 2};
    style.edge_light = ORANGE + 7;
    style.outline = BLACK;
    style.outline_width = 1;
    style.shadow = NIGHT + 0;
    style.shadow_dx = 3;
    style.shadow_dy = 2;
    Canvas text = paint_mask(dripped, style);
    Canvas c(320, 100);
    paste_centred(c, text, 160, 50);
    return c;
}

}  // namespace

void make_title_screens(const std::string& dir) {
    save_bmp(dir, "Quillmoor.BMP", draw_title_picture());
    save_bmp(dir, "GreyBrick.BMP", grey_brick());
    save_bmp(dir, "START.BMP", menu_plaque("START"));
    save_bmp(dir, "GameOver.BMP", game_over());
    save_bmp(dir, "Quit.BMP", menu_plaque("Quit"));
    // Shown only to players who keep settings and saved progress.
    save_bmp(dir, "CONTINUE.BMP", menu_plaque("CONTINUE", 27));
    save_bmp(dir, "OPTIONS.BMP", menu_plaque("OPTIONS", 30));
    // Enhanced play's title while a game is under way: go on with it, or start over.
    save_bmp(dir, "RESUME.BMP", menu_plaque("RESUME", 30));
    save_bmp(dir, "NEWGAME.BMP", menu_plaque("NEW GAME", 24));
    std::vector<Canvas> frames;
    for (int f = 0; f < 5; ++f) frames.push_back(sword_frame(f));
    save_bmp(dir, "SWORD.BMP", sheet(frames, 5));
}

}  // namespace art
