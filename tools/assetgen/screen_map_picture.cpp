// The 320 x 240 painted map of the journey: Curdwick, the moles' meadows, the pigs' fort and the Great Tree along one road.
#include "screen_map_picture.h"

#include <algorithm>
#include <cmath>

#include "screen_paint.h"

namespace art {
namespace {

constexpr int W = 320, H = 240;
constexpr int FRAME = 12;  // width of the parchment border

// Where the hero's head is drawn before each level, in map pixels (the game draws the map
// doubled and the 64-pixel head at screen x 250, 325, 400 and y 250).
constexpr int PLACE_Y = 141;
constexpr int PLACE_X[3] = {141, 178, 216};

// The road's control points: from Curdwick's gate, over the river and through the three
// places, ending at the roots of the Great Tree.
std::vector<std::pair<double, double>> road_controls() {
    return {{52, 150}, {70, 147}, {86, 141}, {104, 138}, {122, 137}, {PLACE_X[0], PLACE_Y}, {160, 147},
            {PLACE_X[1], PLACE_Y}, {197, 135}, {PLACE_X[2], PLACE_Y}, {222, 146}};
}

struct Point {
    double x, y;
};

// Catmull-Rom points along the road, every half pixel or so.
std::vector<Point> road_points() {
    const auto ROAD = road_controls();
    std::vector<Point> out;
    for (size_t i = 0; i + 1 < ROAD.size(); ++i) {
        auto p0 = ROAD[i ? i - 1 : 0], p1 = ROAD[i], p2 = ROAD[i + 1], p3 = ROAD[std::min(i + 2, ROAD.size() - 1)];
        for (int s = 0; s < 40; ++s) {
            double t = s / 40.0, t2 = t * t, t3 = t2 * t;
            auto cr = [&](double a, double b, double c, double d) {
                return 0.5 * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 + (-a + 3 * b - 3 * c + d) * t3);
            };
            out.push_back({cr(p0.first, p1.first, p2.first, p3.first), cr(p0.second, p1.second, p2.second, p3.second)});
        }
    }
    out.push_back({ROAD.back().first, ROAD.back().second});
    return out;
}

double distance_to_road(double x, double y, const std::vector<Point>& road) {
    double best = 1e9;
    for (const Point& p : road) best = std::min(best, std::hypot(p.x - x, p.y - y));
    return best;
}

// The river's centre line: from the hills at the top down to the bay.
double river_x(double y) { return 104 + 7 * std::sin(y * 0.07) + 4 * std::sin(y * 0.19 + 1) - 0.9 * std::max(0.0, y - 165); }

bool in_sea(int x, int y) {
    double dx = x / 88.0, dy = (H - y) / 62.0;
    return dx * dx + dy * dy + 0.18 * (smooth_noise(x, y, 9, 31) - 0.5) < 1.0;
}

bool in_river(int x, int y) { return std::abs(x - river_x(y)) < 2.5 + y / 80.0; }

void paint_land(Canvas& c) {
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            double n = smooth_noise(x, y, 14, 41) * 0.7 + smooth_noise(x, y, 5, 42) * 0.3;
            c.set(x, y, dither_pick(x, y, n, {GRASS + 3, GRASS + 4, MOSS + 4, GRASS + 5}));
        }
    // The moles' meadows: a lighter field round the first place.
    for (int y = 100; y < 190; ++y)
        for (int x = 100; x < 170; ++x) {
            double d = std::hypot((x - 138) / 34.0, (y - 145) / 42.0) + 0.25 * smooth_noise(x, y, 8, 43);
            if (d < 1.0) c.set(x, y, dither_pick(x, y, smooth_noise(x, y, 6, 44), {GRASS + 4, GRASS + 5, GRASS + 5, GRASS + 6}));
        }
    // Water: the bay in the lower left and the river that runs into it.
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            bool water = in_sea(x, y) || in_river(x, y);
            if (!water) continue;
            double depth = in_sea(x, y) ? std::clamp(1.0 - std::hypot(x / 88.0, (H - y) / 62.0), 0.0, 1.0) : 0.0;
            c.set(x, y, dither_pick(x, y, 1 - depth * 2.5, {WATER + 3, WATER + 4, WATER + 5}));
        }
    // Sandy shore round the bay, dark edge along the river.
    Canvas shore = c;
    for (int y = 1; y < H - 1; ++y)
        for (int x = 1; x < W - 1; ++x) {
            bool sea = in_sea(x, y), river = in_river(x, y);
            if (sea || river) continue;
            bool near_sea = false, near_river = false;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx) {
                    near_sea |= in_sea(x + dx, y + dy);
                    near_river |= std::abs(dx) <= 1 && std::abs(dy) <= 1 && in_river(x + dx, y + dy);
                }
            if (near_sea) shore.set(x, y, SAND + 5);
            else if (near_river) shore.set(x, y, GRASS + 2);
        }
    c = shore;
    // Waves on the bay.
    for (int i = 0; i < 18; ++i) {
        int x = 6 + static_cast<int>(noise(i, 0, 45) % 70), y = 196 + static_cast<int>(noise(i, 1, 45) % 40);
        if (!in_sea(x, y) || !in_sea(x + 4, y)) continue;
        c.set(x, y, WATER + 6);
        c.set(x + 1, y - 1, WATER + 6);
        c.set(x + 2, y, WATER + 6);
        c.set(x + 3, y - 1, WATER + 6);
    }
}

// A small round tree: lit canopy, dark rim, stub of a trunk.
void tree_icon(Canvas& c, int x, int y) {
    c.set(x, y + 3, BARK + 1);
    c.set(x, y + 4, BARK + 0);
    fill_circle(c, x, y, 4, LEAF + 0);
    fill_circle(c, x, y, 3, LEAF + 2);
    fill_circle(c, x - 1, y - 1, 2, LEAF + 3);
    c.set(x - 1, y - 2, LEAF + 5);
}

void paint_forests(Canvas& c, const std::vector<Point>& road) {
    auto wooded = [&](int x, int y) {
        double n = smooth_noise(x, y, 16, 51);
        if (x < 96 && y < 100) return n > 0.3;  // the old wood north of Curdwick
        if (x > 246 && y > 70 && y < 170) return n > 0.35;  // east of the tree
        if (x > 200 && y > 176) return n > 0.3;  // the southern wood
        if (x > 134 && x < 156 && y < 92) return n > 0.45;  // a copse above the meadows
        return false;
    };
    for (int gy = FRAME + 2; gy < H - FRAME; gy += 6)
        for (int gx = FRAME + 2; gx < W - FRAME; gx += 7) {
            int x = gx + static_cast<int>(noise(gx, gy, 52) % 5) - 2 + ((gy / 6) % 2) * 3;
            int y = gy + static_cast<int>(noise(gx, gy, 53) % 3) - 1;
            if (x < FRAME + 4 || x > W - FRAME - 5 || y > H - FRAME - 6) continue;
            if (!wooded(x, y) || in_sea(x, y + 3) || std::abs(x - river_x(y)) < 8) continue;
            if (distance_to_road(x, y, road) < 10) continue;
            tree_icon(c, x, y);
        }
}

// Grey peaks with snow in the north-east.
void paint_mountains(Canvas& c) {
    const int peaks[][3] = {{276, 20, 16}, {298, 30, 13}, {262, 36, 11}, {286, 46, 10}};
    for (const auto& p : peaks) {
        int px = p[0], py = p[1], hgt = p[2];
        for (int y = py; y <= py + hgt; ++y) {
            int half = (y - py) * 5 / 4;
            for (int x = px - half; x <= px + half; ++x) {
                int shade = x < px ? 5 : 3;
                if (y - py < hgt / 3 && std::abs(x - px) < (y - py)) shade = x < px ? 15 : 12;  // snow
                if (shade > 10) c.set(x, y, GREY + shade - 1);
                else c.set(x, y, STONE + shade);
            }
            c.set(px - half - 1, y, BLACK);
            c.set(px + half + 1, y, BLACK);
        }
        for (int x = px - hgt * 5 / 4 - 1; x <= px + hgt * 5 / 4 + 1; ++x) c.set(x, py + hgt + 1, STONE + 1);
    }
}

// Curdwick: a huddle of red roofs round a church tower, behind a wall.
void paint_town(Canvas& c) {
    const int houses[][2] = {{30, 128}, {44, 122}, {58, 128}, {36, 142}, {52, 140}, {66, 144}, {28, 154}, {44, 156}};
    for (const auto& h : houses) {
        int x = h[0], y = h[1];
        fill_rect(c, x - 5, y, 11, 7, CREAM + 6);
        fill_rect(c, x + 2, y + 3, 2, 4, WOOD + 1);
        c.set(x - 3, y + 2, NAVY + 5);
        fill_polygon(c, {{x - 7, y + 1}, {x, y - 6}, {x + 7, y + 1}}, BRICK + 3);
        line(c, x, y - 6, x + 7, y + 1, BRICK + 1);
        line(c, x - 7, y + 1, x, y - 6, BRICK + 5);
        rect_outline(c, x - 5, y, 11, 7, BARK + 0);
    }
    // Church tower with a pointed spire.
    fill_rect(c, 70, 118, 8, 16, SLATE + 6);
    fill_rect(c, 73, 122, 2, 3, BLACK);
    rect_outline(c, 70, 118, 8, 16, BARK + 0);
    fill_polygon(c, {{69, 119}, {74, 106}, {79, 119}}, SLATE + 2);
    c.set(74, 105, GOLD + 6);
}

void paint_road(Canvas& c, const std::vector<Point>& road) {
    for (const Point& p : road) fill_circle(c, static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y)), 3, DIRT + 1);
    for (const Point& p : road) fill_circle(c, static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y)), 2, DIRT + 5);
    for (const Point& p : road) c.set(static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y)) - 1, SAND + 5);
    // The bridge over the river.
    int bx = static_cast<int>(std::lround(river_x(138)));
    fill_rect(c, bx - 6, 133, 13, 9, WOOD + 3);
    for (int x = bx - 6; x <= bx + 6; x += 2) line(c, x, 134, x, 140, WOOD + 2);
    line(c, bx - 7, 132, bx + 7, 132, WOOD + 0);
    line(c, bx - 7, 142, bx + 7, 142, WOOD + 0);
}

// Brown mounds of turned earth scattered over the meadows.
void paint_molehills(Canvas& c) {
    const int hills[][2] = {{124, 118}, {140, 112}, {156, 120}, {112, 128}, {116, 156}, {128, 168}, {146, 172}, {160, 164}, {106, 174}, {134, 184}};
    for (const auto& h : hills) {
        int x = h[0], y = h[1];
        fill_ellipse_box(c, x - 6, y - 4, 12, 8, DIRT + 0);
        fill_ellipse_box(c, x - 5, y - 3, 10, 7, DIRT + 2);
        fill_ellipse_box(c, x - 4, y - 3, 6, 4, DIRT + 4);
        c.set(x - 2, y - 2, DIRT + 6);
        line(c, x - 6, y + 3, x + 5, y + 3, GRASS + 2);
    }
}

// The pigs' fort: a palisade of stakes with two watchtowers and a flag, and their farm
// below the road: a red barn, a fenced pen and a mud wallow.
void paint_fort_and_farm(Canvas& c) {
    const int x0 = 154, y0 = 94, w = 28, h = 24;
    fill_rect(c, x0, y0, w, h, DIRT + 3);
    for (int x = x0; x < x0 + w; x += 2) {
        line(c, x, y0 - 2, x, y0 + 3, WOOD + 4);
        line(c, x + 1, y0 - 1, x + 1, y0 + 3, WOOD + 2);
        line(c, x, y0 + h - 3, x, y0 + h + 1, WOOD + 4);
        line(c, x + 1, y0 + h - 3, x + 1, y0 + h + 1, WOOD + 2);
    }
    fill_rect(c, x0, y0, 3, h, WOOD + 3);
    fill_rect(c, x0 + w - 3, y0, 3, h, WOOD + 2);
    // Watchtowers with pointed roofs.
    for (int tx : {x0 - 2, x0 + w - 5}) {
        fill_rect(c, tx, y0 - 6, 7, 12, WOOD + 3);
        rect_outline(c, tx, y0 - 6, 7, 12, WOOD + 0);
        fill_polygon(c, {{tx - 1, y0 - 6}, {tx + 3, y0 - 12}, {tx + 8, y0 - 6}}, BRICK + 2);
    }
    // Gate facing the road.
    fill_rect(c, x0 + 13, y0 + h - 7, 6, 8, WOOD + 0);
    // Pig-pink banner on a pole.
    line(c, x0 + 16, y0 + 2, x0 + 16, y0 - 14, BARK + 0);
    fill_polygon(c, {{x0 + 17, y0 - 14}, {x0 + 25, y0 - 11}, {x0 + 17, y0 - 8}}, ROSE + 4);
    // The barn.
    const int bx = 170, by = 166;
    fill_rect(c, bx, by, 16, 10, BRICK + 3);
    fill_polygon(c, {{bx - 2, by + 1}, {bx + 8, by - 7}, {bx + 18, by + 1}}, SLATE + 3);
    fill_rect(c, bx + 6, by + 4, 4, 6, BRICK + 0);
    line(c, bx + 6, by + 4, bx + 9, by + 9, CREAM + 6);
    line(c, bx + 9, by + 4, bx + 6, by + 9, CREAM + 6);
    rect_outline(c, bx, by, 16, 10, BARK + 0);
    // Pen and wallow.
    rect_outline(c, bx + 20, by - 2, 14, 12, WOOD + 5);
    fill_ellipse_box(c, bx + 22, by + 1, 10, 6, DIRT + 2);
    fill_ellipse_box(c, bx + 24, by + 2, 4, 3, ROSE + 4);
}

// The Great Tree: a crown that dwarfs everything else on the map, roots by the road.
void paint_great_tree(Canvas& c) {
    const int tx = 220;
    for (int y = 96; y <= 138; ++y) {
        double t = (y - 96) / 42.0;
        int half = static_cast<int>(5 + 9 * t * t * t);
        for (int x = tx - half; x <= tx + half; ++x) c.set(x, y, BARK + (x < tx - half / 3 ? 4 : x < tx + half / 3 ? 2 : 1));
        c.set(tx - half - 1, y, BARK + 0);
        c.set(tx + half + 1, y, BARK + 0);
    }
    struct Clump {
        int x, y, r;
    };
    const Clump clumps[] = {{tx - 20, 88, 12}, {tx + 22, 86, 13}, {tx - 12, 70, 15}, {tx + 12, 68, 15},
                            {tx, 58, 14}, {tx - 24, 74, 10}, {tx + 26, 72, 10}, {tx, 82, 14}};
    for (const Clump& k : clumps) fill_circle(c, k.x, k.y, k.r + 1, LEAF + 0);
    for (const Clump& k : clumps) {
        for (int y = k.y - k.r; y <= k.y + k.r; ++y)
            for (int x = k.x - k.r; x <= k.x + k.r; ++x) {
                double dx = double(x - k.x) / k.r, dy = double(y - k.y) / k.r;
                if (dx * dx + dy * dy > 1.0) continue;
                c.set(x, y, dither_pick(x, y, 0.5 - 0.45 * dx - 0.45 * dy, {LEAF + 1, LEAF + 2, LEAF + 3, LEAF + 4, MOSS + 5}));
            }
        for (int x = k.x - k.r + 2; x <= k.x + k.r - 2; ++x) {
            double dx = double(x - k.x) / k.r;
            c.set(x, k.y + static_cast<int>(k.r * std::sqrt(std::max(0.0, 1 - dx * dx))), LEAF + 0);
        }
    }
    // Wasps' nests hang from the crown.
    for (auto [hx, hy] : {std::pair{tx + 16, 98}, {tx + 31, 88}}) {
        fill_ellipse_box(c, hx - 3, hy, 7, 9, BLACK);
        fill_ellipse_box(c, hx - 2, hy + 1, 5, 7, HONEY + 5);
        line(c, hx - 2, hy + 4, hx + 2, hy + 4, HONEY + 2);
    }
}

// A name on the map: dark ink with a pale halo so it reads on grass and water alike.
void label(Canvas& c, const std::string& text, int cx, int cy) {
    Canvas ink = trim(render_text(text, "DejaVuSerif-Bold.ttf", 9, BARK + 0));
    Canvas halo(ink.width + 2, ink.height + 2);
    paste(halo, ink, 1, 1);
    outline(halo, SAND + 6);
    paste_centred(c, halo, cx, cy);
}

// Compass rose in the south-east corner.
void paint_compass(Canvas& c) {
    const int cx = 292, cy = 206;
    fill_polygon(c, {{cx, cy - 12}, {cx + 3, cy}, {cx - 3, cy}}, RED + 4);
    fill_polygon(c, {{cx, cy + 12}, {cx + 3, cy}, {cx - 3, cy}}, SAND + 6);
    fill_polygon(c, {{cx - 12, cy}, {cx, cy - 3}, {cx, cy + 3}}, SAND + 6);
    fill_polygon(c, {{cx + 12, cy}, {cx, cy - 3}, {cx, cy + 3}}, SAND + 6);
    line(c, cx, cy - 12, cx, cy + 12, BARK + 0);
    line(c, cx - 12, cy, cx + 12, cy, BARK + 0);
    fill_circle(c, cx, cy, 2, GOLD + 5);
    Canvas n = trim(render_text("N", "DejaVuSerif-Bold.ttf", 9, BARK + 0));
    paste_centred(c, n, cx, cy - 18);
}

// Parchment frame with burnt edges, a ruled double border and corner studs.
void paint_frame(Canvas& c) {
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            int edge = std::min(std::min(x, y), std::min(W - 1 - x, H - 1 - y));
            if (edge >= FRAME) continue;
            double stain = smooth_noise(x, y, 7, 61);
            double burn = 1.0 - edge / 4.0 - 0.35 * smooth_noise(x, y, 3, 62);
            int idx = dither_pick(x, y, 0.25 + 0.6 * stain, {SAND + 4, SAND + 5, SAND + 6});
            if (burn > 0.55) idx = burn > 0.85 ? DIRT + 0 : DIRT + 2;
            else if (burn > 0.25) idx = SAND + 3;
            c.set(x, y, idx);
        }
    rect_outline(c, FRAME - 1, FRAME - 1, W - 2 * FRAME + 2, H - 2 * FRAME + 2, BARK + 0);
    rect_outline(c, FRAME - 4, FRAME - 4, W - 2 * FRAME + 8, H - 2 * FRAME + 8, DIRT + 2);
    for (int cx : {FRAME - 4, W - FRAME + 3})
        for (int cy : {FRAME - 4, H - FRAME + 3}) {
            fill_polygon(c, {{cx, cy - 3}, {cx + 3, cy}, {cx, cy + 3}, {cx - 3, cy}}, RED + 3);
            c.set(cx, cy, GOLD + 6);
        }
}

// A scroll across the top of the frame with the land's name.
void paint_title_scroll(Canvas& c) {
    Lettering style;
    style.fill = {BARK + 1, BARK + 0};
    style.outline = SAND + 7;
    style.outline_width = 0;
    Canvas name = paint_lettering("Quillmoor", "DejaVuSerif-Bold.ttf", 13, style);
    int w = name.width + 20, h = 15, x0 = W / 2 - w / 2, y0 = 2;
    fill_rect(c, x0, y0, w, h, SAND + 6);
    for (int x = x0; x < x0 + w; ++x) {
        c.set(x, y0 + 1, SAND + 7);
        c.set(x, y0 + h - 2, SAND + 4);
    }
    // Rolled ends.
    for (int side = 0; side < 2; ++side) {
        int ex = side ? x0 + w - 3 : x0 - 2;
        fill_rect(c, ex, y0 - 1, 5, h + 2, SAND + 4);
        line(c, ex + 2, y0 - 1, ex + 2, y0 + h, SAND + 2);
    }
    rect_outline(c, x0 - 3, y0 - 2, w + 6, h + 4, BARK + 0);
    paste_centred(c, name, W / 2, y0 + h / 2);
}

}  // namespace

Canvas draw_progress_map() {
    Canvas c(W, H);
    std::vector<Point> road = road_points();
    paint_land(c);
    paint_mountains(c);
    paint_forests(c, road);
    paint_road(c, road);
    paint_town(c);
    paint_molehills(c);
    paint_fort_and_farm(c);
    paint_great_tree(c);
    paint_compass(c);
    label(c, "Curdwick", 50, 170);
    label(c, "Meadows", 130, 196);
    label(c, "Pig Fort", 168, 72);
    label(c, "Great Tree", 214, 36);
    paint_frame(c);
    paint_title_scroll(c);
    return c;
}

}  // namespace art
