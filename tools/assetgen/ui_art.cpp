// Draws the heads-up icons, the key and cheese pick-ups, the death cloud and the speech box.
#include <algorithm>
#include <cmath>
#include <tuple>

#include "canvas.h"
#include "generators.h"
#include "hero_paint.h"
#include "hud_items.h"
#include "ui_portraits.h"

namespace art {

Canvas sword_shape() {
    Canvas s(32, 32);
    thick_line(s, 12, 19, 24, 7, 1, STEEL + 5);
    line(s, 12, 18, 24, 6, STEEL + 7);
    s.set(25, 6, STEEL + 6);
    thick_line(s, 8, 17, 14, 23, 1, GOLD + 5);
    line(s, 8, 16, 14, 22, GOLD + 7);
    thick_line(s, 10, 21, 7, 24, 1, WOOD + 3);
    fill_circle(s, 6, 25, 1, GOLD + 6);
    outline(s, BLACK);
    return s;
}

Canvas bow_shape(bool nocked) {
    Canvas b(32, 32);
    // The stave: a wooden arc bending to the left, string on the right.
    for (int y = 4; y <= 27; ++y) {
        double t = (y - 15.5) / 11.5;
        int x = static_cast<int>(std::lround(9 + 9 * t * t));
        b.set(x, y, WOOD + 5);
        b.set(x + 1, y, WOOD + 3);
        if (std::abs(t) < 0.4) b.set(x - 1, y, WOOD + 6);
    }
    fill_rect(b, 8, 14, 3, 4, BARK + 6);  // grip wrap
    line(b, 19, 4, nocked ? 23 : 19, 15, STEEL + 7);
    line(b, nocked ? 23 : 19, 16, 19, 27, STEEL + 7);
    if (nocked) {
        line(b, 7, 15, 23, 15, WOOD + 6);
        fill_polygon(b, {{4, 15}, {7, 12}, {7, 18}}, STEEL + 6);
        b.set(24, 14, RED + 5);
        b.set(24, 16, RED + 5);
        b.set(25, 13, RED + 4);
        b.set(25, 17, RED + 4);
    }
    outline(b, BLACK);
    return b;
}

namespace {

// A dark rounded slot behind each item icon, so the icons stand out from any floor.
void icon_slot(Canvas& c) {
    fill_rect(c, 2, 1, 28, 30, NAVY + 1);
    fill_rect(c, 1, 2, 30, 28, NAVY + 1);
    for (int i = 3; i < 29; ++i) {
        c.set(i, 1, STONE + 6);
        c.set(i, 30, STONE + 2);
        c.set(1, i, STONE + 6);
        c.set(30, i, STONE + 2);
    }
    c.set(2, 2, STONE + 6);
    c.set(29, 29, STONE + 2);
    c.set(29, 2, STONE + 4);
    c.set(2, 29, STONE + 4);
    outline(c, BLACK);
}

// A key lying flat: ring on the left, shaft to the right, teeth hanging down.
Canvas key_shape(int w, int h, int ring_x, int ring_y, int ring_r, int end_x, int ramp) {
    Canvas k(w, h);
    fill_circle(k, ring_x, ring_y, ring_r, ramp + 5);
    fill_rect(k, ring_x + ring_r - 1, ring_y - 1, end_x - ring_x - ring_r + 2, 3, ramp + 5);
    fill_rect(k, end_x - 2, ring_y + 1, 3, 5, ramp + 5);
    fill_rect(k, end_x - 7, ring_y + 1, 3, 4, ramp + 5);
    shade_ellipse(k, ring_x - ring_r, ring_y - ring_r, end_x - ring_x + ring_r, 2 * ring_r + 6, ramp, 3, 7);
    // Shine along the top of the shaft.
    line(k, ring_x + ring_r, ring_y - 1, end_x - 1, ring_y - 1, ramp + 7);
    fill_circle(k, ring_x, ring_y, ring_r - 3 > 0 ? ring_r - 3 : 1, TRANSPARENT);
    k.set(ring_x - ring_r / 2, ring_y - ring_r / 2 - 1, ramp + 7);
    outline(k, BLACK);
    return k;
}

Canvas make_life_label() {
    Canvas c(100, 32);
    Canvas text = render_text("LIFE", "DejaVuSans-Bold.ttf", 22, GOLD + 6);
    // Lower half of the letters a shade darker, for a metallic look.
    for (int y = text.height / 2 + 2; y < text.height; ++y)
        for (int x = 0; x < text.width; ++x)
            if (text.at(x, y)) text.set(x, y, GOLD + 4);
    outline(text, BLACK);
    Canvas bold = Canvas(text.width + 2, text.height + 2);
    paste(bold, text, 1, 1);
    outline(bold, BLACK);
    // Trim to the glyphs' own rows so the word sits in the middle of the bar.
    int top = bold.height, bottom = 0;
    for (int y = 0; y < bold.height; ++y)
        for (int x = 0; x < bold.width; ++x)
            if (bold.at(x, y)) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    paste(c, bold, 94 - bold.width, 16 - (top + bottom) / 2);
    return c;
}

Canvas make_heart() {
    Canvas c(20, 32);
    const double cx = 10.0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 20; ++x) {
            double px = x + 0.5, py = y + 0.5;
            double l = std::hypot(px - (cx - 3.5), py - 13.0), r = std::hypot(px - (cx + 3.5), py - 13.0);
            bool lobe = l <= 4.0 || r <= 4.0;
            // The point: below the lobes' centre line, inside two slanted edges.
            bool point = py >= 13.0 && py <= 23.5 && std::abs(px - cx) <= (23.5 - py) * 0.72;
            if (lobe || point) c.set(x, y, RED + 4);
        }
    shade_ellipse(c, 2, 8, 16, 16, RED, 2, 6);
    c.set(6, 11, WHITE);
    c.set(7, 11, RED + 7);
    c.set(6, 12, RED + 7);
    outline(c, BLACK);
    return c;
}

Canvas make_sword_icon() {
    Canvas c(32, 32);
    icon_slot(c);
    paste(c, sword_shape(), 0, 0);
    return c;
}

Canvas make_key_icons() {
    Canvas empty(32, 32), held(32, 32);
    icon_slot(empty);
    icon_slot(held);
    Canvas k = key_shape(32, 32, 9, 14, 5, 26, GOLD);
    paste(held, k, 0, 0);
    // Without the key: a faint engraved outline of one.
    Canvas ghost = silhouette(k, NAVY + 4);
    for (size_t i = 0; i < k.pixels.size(); ++i)
        if (k.pixels[i] != BLACK) ghost.pixels[i] = 0;
    paste(empty, ghost, 0, 0);
    return sheet({empty, held}, 2);
}

Canvas make_bow_icons() {
    Canvas ready(32, 32), plain(32, 32);
    icon_slot(ready);
    icon_slot(plain);
    paste(ready, bow_shape(true), 1, 0);
    paste(plain, bow_shape(false), 2, 0);
    return sheet({ready, plain}, 2);
}

Canvas make_world_key() {
    Canvas c = key_shape(32, 32, 8, 14, 6, 28, GOLD);
    // A glint so the key catches the eye on the floor.
    c.set(25, 5, WHITE);
    c.set(24, 5, GOLD + 7);
    c.set(26, 5, GOLD + 7);
    c.set(25, 4, GOLD + 7);
    c.set(25, 6, GOLD + 7);
    return c;
}

Canvas make_cheese() {
    Canvas c(32, 32);
    fill_polygon(c, {{2, 18}, {30, 12}, {30, 25}, {2, 22}}, CREAM + 4);
    fill_polygon(c, {{2, 18}, {23, 5}, {30, 12}}, CREAM + 6);
    // The rind along the back edge and the cut face's darker right end.
    line(c, 23, 5, 30, 12, CREAM + 2);
    line(c, 30, 13, 30, 24, CREAM + 2);
    line(c, 3, 22, 29, 25, CREAM + 3);
    // Holes: dark inner side at the top, lit lip below.
    auto hole = [&](int x, int y, int w, int h) {
        fill_ellipse_box(c, x, y, w, h, CREAM + 2);
        fill_ellipse_box(c, x, y, w, h - 1, CREAM + 1);
    };
    hole(7, 18, 3, 3);
    hole(13, 17, 5, 4);
    hole(21, 19, 4, 3);
    hole(25, 14, 3, 4);
    hole(17, 10, 4, 3);
    hole(11, 14, 3, 2);
    c.set(22, 8, CREAM + 7);
    c.set(8, 16, CREAM + 7);
    outline(c, BLACK);
    return c;
}

Canvas puff(const std::vector<std::tuple<int, int, int>>& blobs) {
    Canvas c(32, 32);
    for (auto [x, y, r] : blobs) fill_circle(c, x, y, r, GREY + 11);
    // Light from the upper left: rims facing it are white, rims facing away in shadow.
    Canvas body = c;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            if (!body.at(x, y)) continue;
            if (!body.at(x + 2, y + 2) || !body.at(x + 1, y + 3)) c.set(x, y, GREY + 8);
            else if (!body.at(x - 1, y - 1) || !body.at(x - 2, y - 1)) c.set(x, y, WHITE);
        }
    // Each inner puff shows its lower edge as a soft crease.
    for (auto [x, y, r] : blobs)
        for (int i = -r + 1; i < r; ++i) {
            int j = static_cast<int>(std::lround(std::sqrt(double(r * r - i * i))));
            if (body.at(x + i, y + j + 1) && c.at(x + i, y + j) == GREY + 11) c.set(x + i, y + j, GREY + 9);
        }
    outline(c, GREY + 3);
    return c;
}

Canvas make_death_cloud() {
    Canvas small = puff({{16, 18, 5}, {10, 20, 4}, {22, 20, 4}, {12, 13, 4}, {20, 12, 4}, {16, 23, 3}, {16, 9, 3}});
    Canvas big = puff({{16, 16, 7}, {8, 18, 5}, {24, 18, 5}, {12, 9, 5}, {21, 9, 5}, {16, 24, 5}, {6, 11, 2}, {27, 25, 2}, {4, 25, 2}, {27, 8, 2}});
    return sheet({small, big}, 2);
}

// A framed writing panel: wooden moulding, a gold line, a deep blue field.
Canvas make_panel(int w, int h) {
    Canvas c(w, h, BLACK);
    // Wooden moulding with a grain that runs along each side.
    for (int y = 1; y < h - 1; ++y)
        for (int x = 1; x < w - 1; ++x) {
            int grain = static_cast<int>(smooth_noise(x * 0.15, y * 2.0, 3.0, 77) * 3.0);
            c.set(x, y, WOOD + 2 + grain);
        }
    bevel_frame(c, 1, 1, w - 2, h - 2, 2, WOOD);
    rect_outline(c, 7, 7, w - 14, h - 14, GOLD + 3);
    rect_outline(c, 6, 6, w - 12, h - 12, BLACK);
    // The writing panel: plain deep blue, a shade darker along its top and left edge.
    fill_rect(c, 8, 8, w - 16, h - 16, NAVY + 2);
    line(c, 8, 8, w - 9, 8, NAVY + 1);
    line(c, 8, 8, 8, h - 9, NAVY + 1);
    // Brass studs in the corners.
    for (auto [x, y] : std::vector<std::pair<int, int>>{{3, 3}, {w - 6, 3}, {3, h - 6}, {w - 6, h - 6}}) {
        fill_rect(c, x, y, 3, 3, GOLD + 4);
        c.set(x, y, GOLD + 7);
        c.set(x + 2, y + 2, GOLD + 2);
    }
    // Rounded outer corners.
    for (auto [x, y] : std::vector<std::pair<int, int>>{{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}) c.set(x, y, TRANSPARENT);
    return c;
}

// The options screen's volume marks, 16 x 16: frame 0 a lit gold gem, frame 1 an empty socket.
Canvas make_volume_pips() {
    Canvas c(32, 16);
    for (int f = 0; f < 2; ++f) {
        const int x0 = f * 16;
        fill_circle(c, x0 + 8, 8, 6, BLACK);
        if (f == 0) {
            fill_circle(c, x0 + 8, 8, 5, GOLD + 4);
            fill_circle(c, x0 + 7, 7, 3, GOLD + 6);
            c.set(x0 + 6, 5, WHITE);
        } else {
            fill_circle(c, x0 + 8, 8, 5, NAVY + 1);
            fill_circle(c, x0 + 9, 9, 3, NAVY + 0);
        }
    }
    return c;
}

}  // namespace

void make_ui_art(const std::string& dir) {
    save_bmp(dir, "life.BMP", make_life_label());
    save_bmp(dir, "lifebar.BMP", make_heart());
    save_bmp(dir, "uisword.BMP", make_sword_icon());
    save_bmp(dir, "uikey.BMP", make_key_icons());
    save_bmp(dir, "uibow.BMP", make_bow_icons());
    save_bmp(dir, "key.BMP", make_world_key());
    save_bmp(dir, "cheese.BMP", make_cheese());
    save_bmp(dir, "deathcloud.BMP", make_death_cloud());
    save_bmp(dir, "DialogBox.BMP", make_panel(592, 100));
    save_bmp(dir, "OptionsPanel.BMP", make_panel(600, 376));
    save_bmp(dir, "OptionPips.BMP", make_volume_pips());
    save_bmp(dir, "character.BMP", make_portrait_sheet());
}

}  // namespace art
