// The browser page's pictures: its icons from the hero's head, and the touch controls drawn
// like the title's plaques (gold rim, wooden face, gold lettering), as PNG.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

#include "canvas.h"
#include "generators.h"
#include "hero_paint.h"
#include "hud_items.h"
#include "screen_paint.h"

namespace art {
namespace {

// A disc of `size` pixels: black edge, gold rim lit from above, black ring, wooden face.
Canvas round_button(int size) {
    Canvas c(size, size);
    const int r = size / 2 - 1, cx = size / 2, cy = size / 2;
    fill_circle(c, cx, cy, r, BLACK);
    fill_circle(c, cx, cy, r - 1, GOLD + 4);
    fill_circle(c, cx, cy, r - 4, BLACK);
    fill_circle(c, cx, cy, r - 5, WOOD + 2);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int v = c.at(x, y);
            if (v == GOLD + 4) c.set(x, y, dither_shade(x, y, double(y) / size, GOLD, 7, 2));
            if (v == WOOD + 2) {
                const double g = smooth_noise(x * 0.15, y * 1.6, 1.0, 90);
                // The face is darker low down, as if the light came from above.
                const int shade = (g > 0.66 ? 3 : g < 0.3 ? 1 : 2) - (y > cy + r / 2 ? 1 : 0);
                c.set(x, y, WOOD + std::max(0, shade));
            }
        }
    return c;
}

// A small plaque of `w` x `h` with one word on it, like the title's menu entries.
Canvas word_plaque(const std::string& word, int w, int h, int letter_size) {
    Canvas c(w, h);
    auto rounded = [&](int inset, int index) {
        const int r = std::max(1, 5 - inset);
        fill_rect(c, inset + r, inset, w - 2 * inset - 2 * r, h - 2 * inset, index);
        fill_rect(c, inset, inset + r, w - 2 * inset, h - 2 * inset - 2 * r, index);
        for (int x : {inset + r, w - 1 - inset - r})
            for (int y : {inset + r, h - 1 - inset - r}) fill_circle(c, x, y, r, index);
    };
    rounded(0, BLACK);
    rounded(1, GOLD + 4);
    rounded(3, BLACK);
    rounded(4, WOOD + 2);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (c.at(x, y) == GOLD + 4) c.set(x, y, dither_shade(x, y, double(y) / h, GOLD, 7, 2));
            if (c.at(x, y) == WOOD + 2) {
                const double g = smooth_noise(x * 0.15, y * 1.6, 1.0, 91);
                c.set(x, y, WOOD + (g > 0.66 ? 3 : g < 0.3 ? 1 : 2));
            }
        }
    if (word.empty()) return c;
    Lettering style = gold_lettering(WOOD + 0, 1);
    style.outline_width = 1;
    paste_centred(c, paint_lettering(word, "DejaVuSerif-Bold.ttf", letter_size, style), w / 2, h / 2);
    return c;
}

// A gold arrowhead pointing up, centred on (cx, cy).
void arrow_up(Canvas& c, int cx, int cy, int size) {
    Canvas a(c.width, c.height);
    fill_polygon(a, {{cx, cy - size}, {cx + size, cy + size / 2}, {cx - size, cy + size / 2}}, GOLD + 5);
    for (int y = cy - size; y <= cy; ++y)
        for (int x = cx - size; x <= cx; ++x)
            if (a.at(x, y) == GOLD + 5) a.set(x, y, CREAM + 7);
    stamp(c, a);
}

// The d-pad: a cross of wooden arms in a gold rim with an arrow on each arm and a stud in the
// middle. `size` square; each arm is a third of it wide.
Canvas direction_pad(int size) {
    const int arm = size / 3;
    Canvas c(size, size);
    auto cross = [&](int inset, int index) {
        fill_rect(c, arm + inset, inset, arm - 2 * inset, size - 2 * inset, index);
        fill_rect(c, inset, arm + inset, size - 2 * inset, arm - 2 * inset, index);
    };
    cross(0, BLACK);
    cross(1, GOLD + 4);
    cross(3, BLACK);
    cross(4, WOOD + 2);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            if (c.at(x, y) == GOLD + 4) c.set(x, y, dither_shade(x, y, double(y) / size, GOLD, 7, 2));
            if (c.at(x, y) == WOOD + 2) {
                const double g = smooth_noise(x * 0.15, y * 1.6, 1.0, 92);
                c.set(x, y, WOOD + (g > 0.66 ? 3 : g < 0.3 ? 1 : 2));
            }
        }
    // One arrow drawn pointing up, turned for the other three arms.
    Canvas up(size, size);
    arrow_up(up, size / 2, arm / 2 + 2, arm / 4);
    Canvas right = rotate_90_clockwise(up), down = rotate_90_clockwise(right), left = rotate_90_clockwise(down);
    for (const Canvas* a : {&up, &right, &down, &left}) paste(c, *a, 0, 0);
    fill_circle(c, size / 2, size / 2, arm / 5, BLACK);
    fill_circle(c, size / 2, size / 2, arm / 5 - 1, GOLD + 5);
    c.set(size / 2 - 1, size / 2 - 1, GOLD + 7);
    return c;
}

// The heads-up display's sword and bow (with an arrow nocked), at `size` pixels.
Canvas sword(int size) { return scaled(sword_shape(), size, size); }
Canvas bow(int size) { return scaled(bow_shape(true), size, size); }

Canvas with_art(Canvas button, const Canvas& art) {
    paste_centred(button, art, button.width / 2, button.height / 2);
    return button;
}

// Four corner brackets: the full-screen button's sign.
Canvas corners(int size) {
    Canvas c(size, size);
    const int l = size / 3, t = 2;
    for (int x : {0, size - l})
        for (int y : {0, size - t}) fill_rect(c, x, y, l, t, CREAM + 7);
    for (int x : {0, size - t})
        for (int y : {0, size - l}) fill_rect(c, x, y, t, l, CREAM + 7);
    outline(c, BLACK);
    return c;
}

// The head on a square of the night sky, inside the middle 60 % that any icon mask keeps.
Canvas masked_icon(const Canvas& head, int size) {
    Canvas c(size, size, NIGHT + 1);
    const int art = size * 5 / 8 / head.width * head.width;
    paste_centred(c, scaled(head, art, art), size / 2, size / 2);
    return c;
}

}  // namespace

void make_web_art(const std::string& dir) {
    const std::filesystem::path out(dir);
    const Canvas head = hero_head();
    // Whole multiples of the 32-pixel head keep its pixels sharp.
    save_png(out / "icon-32.png", head);
    save_png(out / "icon-192.png", scaled(head, 192, 192));
    save_png(out / "icon-512.png", scaled(head, 512, 512));
    save_png(out / "icon-maskable-512.png", masked_icon(head, 512));
    // Drawn small and shown two or three times larger, like the game's own pixels.
    save_png(out / "touch-pad.png", direction_pad(72));
    save_png(out / "touch-sword.png", with_art(round_button(40), sword(28)));
    save_png(out / "touch-bow.png", with_art(round_button(40), bow(28)));
    save_png(out / "touch-next.png", word_plaque("NEXT", 56, 22, 11));
    save_png(out / "touch-enter.png", word_plaque("OK", 56, 22, 11));
    save_png(out / "touch-back.png", word_plaque("BACK", 56, 22, 11));
    save_png(out / "touch-options.png", word_plaque("OPTIONS", 56, 22, 9));
    save_png(out / "fullscreen.png", with_art(word_plaque("", 20, 20, 9), corners(10)));
}

}  // namespace art
