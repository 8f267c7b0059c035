// The title picture: a gold-ringed medallion of the hero at sunset before the Great Tree, under the game's name on a red ribbon.
#include "screen_title_picture.h"

#include <algorithm>
#include <cmath>

#include "screen_paint.h"

namespace art {
namespace {

constexpr int W = 480, H = 300;
constexpr int CX = 240, CY = 116;  // centre of the medallion
constexpr int R_SCENE = 100, R_RING = 110;  // radius of the scene and outer radius of the gold ring

// Height of a rolling hill line at column x.
int hill(int x, double base, double a1, double f1, double a2, double f2, double phase) {
    return static_cast<int>(std::lround(base + a1 * std::sin(x * f1 + phase) + a2 * std::sin(x * f2 + 2 * phase)));
}

void paint_sky(Canvas& s) {
    const std::vector<int> sky = {NAVY + 1, NAVY + 2, NAVY + 3, PURPLE + 2, PURPLE + 3, FLOWER + 2, CLAY + 3, ORANGE + 4, ORANGE + 5, GOLD + 5, GOLD + 6};
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) s.set(x, y, dither_pick(x, y, (y - 16.0) / 160.0, sky));
    // Stars in the dark upper sky.
    for (int i = 0; i < 40; ++i) {
        int x = CX - 95 + static_cast<int>(noise(i, 1, 11) % 190);
        int y = 18 + static_cast<int>(noise(i, 2, 11) % 60);
        s.set(x, y, i % 3 ? CREAM + 6 : WHITE);
        if (i % 7 == 0) {
            s.set(x - 1, y, CREAM + 4);
            s.set(x + 1, y, CREAM + 4);
            s.set(x, y - 1, CREAM + 4);
            s.set(x, y + 1, CREAM + 4);
        }
    }
    // The setting sun, with a soft halo.
    const int sx = 186, sy = 112;
    for (int y = sy - 60; y <= sy + 60; ++y)
        for (int x = sx - 60; x <= sx + 60; ++x) {
            double d = std::hypot(x - sx, y - sy);
            if (d <= 30) s.set(x, y, dither_pick(x, y, (y - (sy - 30)) / 60.0, {WHITE, CREAM + 7, CREAM + 7, GOLD + 7}));
            else if (d <= 42 && (noise(x, y, 12) % 100) < (42 - d) * 8) s.set(x, y, GOLD + 6);
        }
}

void paint_hills(Canvas& s) {
    for (int x = 0; x < W; ++x) {
        int far = hill(x, 150, 6, 0.05, 3, 0.13, 0.4);
        int mid = hill(x, 168, 7, 0.035, 3, 0.09, 1.7);
        for (int y = far; y < H; ++y) s.set(x, y, dither_pick(x, y, (y - far) / 30.0, {PURPLE + 2, PURPLE + 1, NIGHT + 5}));
        for (int y = mid; y < H; ++y) s.set(x, y, dither_pick(x, y, (y - mid) / 40.0, {LEAF + 3, LEAF + 2, LEAF + 1}));
        // Rim light where the grass meets the evening sky.
        s.set(x, mid, GRASS + 4);
        s.set(x, far, PURPLE + 3);
    }
    // The near hill the hero stands on, dark against the sun.
    for (int x = 0; x < W; ++x) {
        double dx = (x - 180) / 75.0;
        int top = static_cast<int>(std::lround(174 + 30 * dx * dx));
        for (int y = top; y < H; ++y) s.set(x, y, dither_pick(x, y, (y - top) / 25.0, {LEAF + 1, LEAF + 0, NIGHT + 3}));
        s.set(x, top, GRASS + 3);
    }
}

// The Great Tree on the right: a broad trunk and a crown of leaf clumps.
void paint_tree(Canvas& s) {
    const int tx = 292;
    // Trunk widening to its roots.
    for (int y = 90; y <= 178; ++y) {
        double t = (y - 90) / 88.0;
        int half = static_cast<int>(10 + 14 * t * t * t * t);
        for (int x = tx - half; x <= tx + half; ++x) {
            double u = (x - (tx - half)) / double(2 * half);
            int shade = u < 0.25 ? 4 : u < 0.55 ? 2 : 1;
            if (noise(x / 2, y, 21) % 9 == 0) shade = std::max(0, shade - 1);
            s.set(x, y, BARK + shade);
        }
    }
    // Boughs.
    thick_line(s, tx, 120, tx - 36, 84, 3, BARK + 1);
    thick_line(s, tx, 112, tx + 34, 80, 3, BARK + 1);
    thick_line(s, tx - 4, 104, tx - 10, 64, 2, BARK + 1);
    // Crown: clumps drawn back to front, each lit from the sun on its left.
    struct Clump {
        int x, y, r;
    };
    const Clump clumps[] = {{tx - 50, 78, 22}, {tx + 48, 74, 22}, {tx - 20, 50, 26}, {tx + 22, 46, 26},
                            {tx, 30, 24}, {tx - 40, 58, 20}, {tx + 40, 56, 20}, {tx - 26, 84, 18},
                            {tx + 26, 82, 18}, {tx, 64, 22}, {tx - 60, 92, 13}, {tx + 60, 90, 13}};
    for (const Clump& k : clumps) {
        for (int y = k.y - k.r; y <= k.y + k.r; ++y)
            for (int x = k.x - k.r; x <= k.x + k.r; ++x) {
                double dx = double(x - k.x) / k.r, dy = double(y - k.y) / k.r;
                double wobble = 0.12 * (noise(x / 3, y / 3, 22) / 65535.0);
                double d = dx * dx + dy * dy;
                if (d > 1.0 - wobble) continue;
                double light = 0.55 - 0.45 * dx - 0.35 * dy;
                s.set(x, y, dither_pick(x, y, light, {LEAF + 0, LEAF + 1, LEAF + 2, LEAF + 3, MOSS + 4}));
            }
        // A dark edge under each clump separates it from the next.
        for (int x = k.x - k.r + 3; x <= k.x + k.r - 3; ++x) {
            double dx = double(x - k.x) / k.r;
            int y = k.y + static_cast<int>(k.r * std::sqrt(std::max(0.0, 1 - dx * dx))) - 1;
            s.set(x, y, LEAF + 0);
        }
    }
}

// Nibbs the rat: a dark silhouette against the sun, sword raised, cape and long tail
// flying, with a thin warm rim where the sunlight wraps round him and his big ear
// glowing pink with the light behind it. Measured in units (1.2 pixels) from his feet.
void paint_hero(Canvas& s) {
    const int fx = 180, fy = 174;  // between his feet
    const double k = 1.2;  // pixels per unit
    Canvas h(W, H);
    auto px = [&](double x) { return fx + static_cast<int>(std::lround(x * k)); };
    auto py = [&](double y) { return fy + static_cast<int>(std::lround(y * k)); };
    auto at = [&](double x, double y) { return std::pair{px(x), py(y)}; };
    auto radius = [&](double r) { return static_cast<int>(std::lround(r * k)); };
    auto limb = [&](double x0, double y0, double x1, double y1, double r) { thick_line(h, px(x0), py(y0), px(x1), py(y1), radius(r), 1); };
    // Tail: a long curve rising behind him, thinning to its tip.
    for (int i = 0; i <= 100; ++i) {
        double t = i / 100.0, u = 1 - t;
        double x = u * u * u * -8 + 3 * u * u * t * -36 + 3 * u * t * t * -58 + t * t * t * -60;
        double y = u * u * u * -24 + 3 * u * u * t * -2 + 3 * u * t * t * -8 + t * t * t * -40;
        fill_circle(h, px(x), py(y), t < 0.3 ? 2 : t < 0.7 ? 1 : 0, 1);
    }
    // Cape streaming out behind.
    fill_polygon(h, {at(-2, -54), at(-9, -52), at(-26, -30), at(-20, -29), at(-23, -20), at(-9, -25), at(-4, -32)}, 1);
    // Legs bent at the knee, long feet.
    limb(-4, -24, -9, -11, 3.5);
    limb(-9, -11, -12, 0, 2.5);
    limb(-15, 0, -3, 0, 1);
    limb(5, -24, 10, -12, 3.5);
    limb(10, -12, 8, 0, 2.5);
    limb(6, 0, 19, 0, 1);
    // Pear-shaped body, small head, long pointed snout.
    fill_ellipse(h, px(0), py(-38), radius(10), radius(18), 1);
    fill_ellipse(h, px(4), py(-63), radius(8), radius(8), 1);
    fill_polygon(h, {at(6, -71), at(31, -61), at(30, -58), at(8, -55)}, 1);
    // Whiskers.
    line(h, px(27), py(-60), px(38), py(-66), 1);
    line(h, px(27), py(-59), px(39), py(-58), 1);
    // Ear: a big disc standing up off the back of the head.
    fill_circle(h, px(-5), py(-77), radius(8), 1);
    // The free arm on the hip; the sword arm thrust up and forward.
    limb(-2, -48, -12, -36, 2.5);
    limb(-12, -36, -6, -28, 2);
    limb(4, -47, 22, -46, 2.5);
    limb(22, -46, 30, -50, 2.5);
    // Cross-guard across the fist.
    limb(26, -57, 35, -44, 1);
    // Paint the silhouette, then light its rim on the side facing the sun.
    const int sun_x = 186, sun_y = 112;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            if (!h.at(x, y)) continue;
            double dx = sun_x - x, dy = sun_y - y, len = std::max(std::hypot(dx, dy), 1.0);
            int nx = x + static_cast<int>(std::lround(dx / len * 1.4));
            int ny = y + static_cast<int>(std::lround(dy / len * 1.4));
            s.set(x, y, h.at(nx, ny) ? BLACK : CLAY + 3);
        }
    // Light shines through the thin ear.
    fill_circle(s, px(-5), py(-77), radius(5), ROSE + 1);
    fill_circle(s, px(-4), py(-76), radius(3), ROSE + 3);
    // Eye and nose catch the light.
    s.set(px(9), py(-65), CREAM + 6);
    s.set(px(9) + 1, py(-65), CREAM + 6);
    s.set(px(31), py(-60), ROSE + 3);
    // The blade, from the fist towards the sky.
    const int bx = px(31), by = py(-52);
    for (int i = 0; i <= 56; ++i) {
        int x = bx + i * 18 / 56, y = by - i;
        s.set(x - 1, y, BLACK);
        s.set(x, y, i > 52 ? WHITE : STEEL + 7);
        s.set(x + 1, y, i > 52 ? WHITE : STEEL + 5);
        s.set(x + 2, y, BLACK);
    }
    // A star of light at the sword's point.
    const int gx = bx + 18, gy = by - 58;
    for (int d = 1; d <= 7; ++d) {
        int idx = d < 4 ? WHITE : CREAM + 6;
        s.set(gx + d, gy, idx);
        s.set(gx - d, gy, idx);
        s.set(gx, gy + d, idx);
        s.set(gx, gy - d, idx);
        if (d < 3) {
            s.set(gx + d, gy + d, CREAM + 7);
            s.set(gx - d, gy - d, CREAM + 7);
            s.set(gx + d, gy - d, CREAM + 7);
            s.set(gx - d, gy + d, CREAM + 7);
        }
    }
    s.set(gx, gy, WHITE);
}

// The scene cut to a disc inside a gold ring with rivets.
void paint_medallion(Canvas& c) {
    Canvas scene(W, H);
    paint_sky(scene);
    paint_hills(scene);
    paint_tree(scene);
    paint_hero(scene);
    for (int y = CY - R_RING - 2; y <= CY + R_RING + 2; ++y)
        for (int x = CX - R_RING - 2; x <= CX + R_RING + 2; ++x) {
            double d = std::hypot(x + 0.5 - CX - 0.5, y + 0.5 - CY - 0.5);
            if (d <= R_SCENE) {
                c.set(x, y, scene.at(x, y));
            } else if (d <= R_SCENE + 1.5 || (d > R_RING - 1.2 && d <= R_RING + 0.8)) {
                c.set(x, y, BLACK);
            } else if (d <= R_RING) {
                // Gold ring lit from the upper left, with a bright band along it.
                double a = std::atan2(y - CY, x - CX);
                double light = 0.5 - 0.4 * std::cos(a + 2.356);
                double band = 1 - std::abs(d - (R_SCENE + R_RING) / 2.0) / ((R_RING - R_SCENE) / 2.0);
                c.set(x, y, dither_shade(x, y, std::clamp(light * 0.7 + band * 0.35, 0.0, 1.0), GOLD, 1, 7));
            }
        }
    // Rivets around the ring.
    for (int i = 0; i < 16; ++i) {
        double a = i * 3.14159265 / 8;
        int rx = CX + static_cast<int>(std::lround(std::cos(a) * (R_SCENE + R_RING) / 2.0));
        int ry = CY + static_cast<int>(std::lround(std::sin(a) * (R_SCENE + R_RING) / 2.0));
        fill_circle(c, rx, ry, 2, GOLD + 2);
        c.set(rx - 1, ry - 1, CREAM + 7);
        c.set(rx, ry - 1, GOLD + 6);
    }
}

// How far the ribbon arches up at column x: highest in the middle.
int ribbon_lift(int x) {
    double u = (x - CX) / 240.0;
    return static_cast<int>(std::lround(14 * (1 - u * u)));
}

// The red ribbon across the foot of the medallion, with swallow-tailed ends behind it.
void paint_ribbon(Canvas& c) {
    const int top = 206, band = 62;
    const int left = 40, right = W - 41;
    // Tails, lower and darker, folded behind the band.
    for (int side = 0; side < 2; ++side) {
        int sign = side ? 1 : -1;
        int inner = side ? right - 26 : left + 26;
        int outer = side ? W - 2 : 1;
        int ty = top + 22 - ribbon_lift(inner);
        std::vector<std::pair<int, int>> tail = {{inner, ty}, {outer, ty}, {outer - sign * 16, ty + band / 2}, {outer, ty + band}, {inner, ty + band}};
        fill_polygon(c, tail, RED + 2);
        for (int y = ty; y < ty + band; ++y)
            for (int x = std::min(inner, outer); x <= std::max(inner, outer); ++x)
                if (c.at(x, y) == RED + 2) c.set(x, y, dither_pick(x, y, double(y - ty) / band, {RED + 3, RED + 2, RED + 1}));
        // The fold where the tail turns under the band.
        int fx = side ? right : left;
        fill_polygon(c, {{fx, top + band - ribbon_lift(fx)}, {inner, ty + band}, {fx, ty + band}}, RED + 0);
    }
    // The band itself, following the arch.
    for (int x = left; x <= right; ++x) {
        int y0 = top - ribbon_lift(x);
        for (int y = y0; y < y0 + band; ++y) {
            double t = double(y - y0) / (band - 1);
            int idx = dither_pick(x, y, t, {RED + 6, RED + 5, RED + 4, RED + 4, RED + 3, RED + 3, RED + 2});
            if (y - y0 == 2 || y0 + band - 1 - y == 2) idx = GOLD + 5;  // gold braid along both edges
            c.set(x, y, idx);
        }
    }
    // Outline everything drawn so far around the ribbon.
    Canvas shape(W, H);
    for (int y = 180; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (c.at(x, y) >= RED && c.at(x, y) < RED + 8) shape.set(x, y, 1);
            else if (c.at(x, y) == GOLD + 5 && y > 180) shape.set(x, y, 1);
    for (int y = 180; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            if (!shape.at(x, y)) continue;
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                if (!shape.at(x + dx, y + dy) && !c.at(x + dx, y + dy)) c.set(x + dx, y + dy, BLACK);
        }
    // The band's ends get a dark edge where they sit over the tails.
    for (int x : {left, right}) {
        int y0 = top - ribbon_lift(x);
        for (int y = y0; y < y0 + band; ++y) c.set(x, y, BLACK);
    }
}

// The name in gold, bent to follow the ribbon.
void paint_name(Canvas& c) {
    Lettering style;
    style.fill = {CREAM + 7, CREAM + 7, CREAM + 6, GOLD + 7, GOLD + 6, GOLD + 5, GOLD + 4, GOLD + 3, GOLD + 5, GOLD + 6};
    style.edge_light = WHITE;
    style.outline = BLACK;
    style.outline_width = 2;
    style.shadow = RED + 0;
    style.shadow_dx = 3;
    style.shadow_dy = 3;
    Canvas name = paint_lettering("Quillmoor", "DejaVuSerif-Bold.ttf", 64, style);
    int x0 = CX - name.width / 2;
    int y0 = 206 + 31 - name.height / 2;
    for (int x = 0; x < name.width; ++x) {
        int lift = ribbon_lift(x0 + x);
        for (int y = 0; y < name.height; ++y) {
            int v = name.at(x, y);
            if (v) c.set(x0 + x, y0 + y - lift, v);
        }
    }
}

}  // namespace

Canvas draw_title_picture() {
    Canvas c(W, H);
    paint_medallion(c);
    paint_ribbon(c);
    paint_name(c);
    return c;
}

}  // namespace art
