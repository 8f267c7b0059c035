// The floor tiles (0..30): grass, paths, sand, boards, stone floors, fields, wax and bark.
#include <numbers>

#include "level_tile_paint.h"
#include "level_tiles.h"

namespace art::tilepaint {

void grass(Canvas& c, unsigned seed) {
    // Mostly one shade, broken by fine grain and faint patches, so large meadows show no grid.
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            double v = 0.35 * pnoise(x, y, 8, seed) + 0.65 * grain(x, y, seed + 1);
            c.set(x, y, GRASS + (v > 0.78 ? 5 : v < 0.2 ? 3 : 4));
        }
    // Short blades: a light tip over a dark root, scattered evenly.
    for (int k = 0; k < 22; ++k) {
        int x = static_cast<int>(noise(k, 1, seed + 3) % S), y = static_cast<int>(noise(k, 2, seed + 3) % S);
        wset(c, x, y, GRASS + 6);
        wset(c, x, y + 1, GRASS + 2);
    }
}

namespace {

void tuft(Canvas& c, int x, int y) {
    for (int i = -2; i <= 2; ++i) {
        int h = 5 - std::abs(i);
        for (int j = 0; j < h; ++j) wset(c, x + i + (j > 2 ? (i > 0) - (i < 0) : 0), y - j, j < 2 ? GRASS + 2 : GRASS + 6);
    }
}

void flower(Canvas& c, int x, int y, int petal, int centre) {
    wset(c, x - 1, y, petal);
    wset(c, x + 1, y, petal);
    wset(c, x, y - 1, petal);
    wset(c, x, y + 1, petal);
    wset(c, x, y, centre);
    wset(c, x + 1, y + 2, GRASS + 1);
}

void dirt(Canvas& c, unsigned seed) {
    ground(c, DIRT, 3, 5, 16, seed);
    speckle(c, DIRT + 2, 40, seed + 5);
    speckle(c, DIRT + 6, 20, seed + 6);
}

void pebble(Canvas& c, int x, int y, int ramp) {
    wset(c, x + 1, y + 2, DIRT + 1);
    wset(c, x + 2, y + 2, DIRT + 1);
    wset(c, x, y, ramp + 5);
    wset(c, x + 1, y, ramp + 4);
    wset(c, x, y + 1, ramp + 4);
    wset(c, x + 1, y + 1, ramp + 3);
}

void sand(Canvas& c, unsigned seed) {
    ground(c, SAND, 3, 5, 16, seed);
    speckle(c, SAND + 2, 30, seed + 7);
    speckle(c, SAND + 7, 20, seed + 8);
}

// Boards running left to right, `h` pixels each, their joints staggered.
void boards(Canvas& c, int ramp, int lo, int hi, int h, unsigned seed) {
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            int row = y / h;
            double g = 0.6 * pnoise(x, row * 8, 8, seed + row) + 0.4 * grain(x / 3, y, seed + 1);
            int shade = lo + std::clamp(static_cast<int>(g * (hi - lo + 1)), 0, hi - lo);
            if (y % h == 0) shade = lo - 2 < 0 ? 0 : lo - 2;  // the gap between boards
            if (y % h == 1) shade = std::min(hi + 1, 7);  // the lit upper edge of a board
            c.set(x, y, ramp + shade);
        }
    for (int row = 0; row < S / h; ++row) {
        int joint = (row * 13 + 5) % S;
        for (int y = row * h + 1; y < row * h + h; ++y) c.set(joint, y, ramp + std::max(0, lo - 2));
        c.set((joint + 3) % S, row * h + h / 2, ramp + 1);  // a nail
    }
}

// Stones laid in courses: each stone a shaded block with dark mortar between.
void stones(Canvas& c, int ramp, int lo, int course, const int* widths, int count, unsigned seed) {
    c = Canvas(S, S, ramp + lo - 2);
    int y = 0, row = 0;
    while (y < S) {
        int x = (row % 2) * (widths[row % count] / 2);
        int w = widths[row % count];
        for (int start = x - w; start < S; start += w) {
            int tone = lo + static_cast<int>(noise(start, row, seed) % 2);
            for (int j = 1; j < course; ++j)
                for (int i = 1; i < w; ++i) {
                    int px = start + i, py = y + j;
                    int shade = tone;
                    if (j == 1 || i == 1) shade = tone + 1;  // lit top and left edges
                    if (j == course - 1 || i == w - 1) shade = tone - 1;
                    if (grain(px, py, seed + 3) < 0.12) shade -= 1;
                    wset(c, px, py, ramp + std::clamp(shade, 0, 7));
                }
        }
        y += course;
        ++row;
    }
}

void furrows(Canvas& c, unsigned seed) {
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            int band = y % 8;
            int shade = band < 2 ? 5 : band < 5 ? 4 : band < 7 ? 3 : 1;
            if (grain(x, y, seed) < 0.15) shade -= 1;
            c.set(x, y, DIRT + std::clamp(shade, 0, 7));
        }
}

void wax_cells(Canvas& c, unsigned seed) {
    // A worn floor of pale wax: flat cells 8 wide in offset rows, only their rims raised.
    c = Canvas(S, S, CREAM + 5);
    wax_comb(c, seed, [](int dx, int dy, int tone) {
        int d = std::abs(dx) + std::abs(dy);
        int shade = d == 4 ? 4 : 5 + tone;
        if (d == 3 && dx + dy < 0) shade = 7;
        return CREAM + shade;
    });
}

void bark_floor(Canvas& c, unsigned seed) {
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            // Long wavy grain lines along the branch.
            double wave = std::sin((x / 32.0) * 2 * std::numbers::pi * 2 + y * 0.9 + pnoise(x, y, 8, seed) * 3.0);
            double g = 0.5 + 0.3 * wave + 0.2 * grain(x, y, seed + 1);
            int shade = 3 + std::clamp(static_cast<int>(g * 3), 0, 2);
            c.set(x, y, WOOD + shade - 1);
        }
    for (int k = 0; k < 5; ++k) {
        int y = static_cast<int>(noise(k, 4, seed) % S), x = static_cast<int>(noise(k, 5, seed) % S);
        int len = 6 + static_cast<int>(noise(k, 6, seed) % 10);
        for (int i = 0; i < len; ++i) wset(c, x + i, y, WOOD + 1);  // a crack in the bark
    }
}

void rope_bridge(Canvas& c) {
    // Slats across the way with lashings at both ends, the drop showing in the gaps.
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) c.set(x, y, SKY + 2 + (grain(x, y, 91) < 0.3));
    for (int slat = 0; slat < 4; ++slat) {
        int x0 = slat * 8;
        for (int y = 0; y < S; ++y)
            for (int x = x0; x < x0 + 7; ++x) {
                int shade = 4 + (x == x0) - (x == x0 + 6) + (grain(x, y, 92 + slat) < 0.2 ? -1 : 0);
                c.set(x, y, WOOD + shade);
            }
        for (int y : {2, 3, 28, 29}) {
            c.set(x0 + 7, y, OCHRE + 5);
            c.set(x0, y, OCHRE + 4);
        }
    }
}

void arena_ground(Canvas& c) {
    // Hard-trodden earth, paler than a path, with scattered grit.
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            double v = 0.3 * pnoise(x, y, 8, 70) + 0.7 * grain(x, y, 71);
            c.set(x, y, DIRT + (v > 0.8 ? 6 : v < 0.18 ? 4 : 5));
        }
    speckle(c, DIRT + 3, 25, 72);
    speckle(c, SAND + 6, 15, 73);
}

void carpet(Canvas& c) {
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            int shade = 3 + (grain(x, y, 80) < 0.25);
            // A diamond lattice woven in gold.
            int d = (std::abs((x % 16) - 8) + std::abs((y % 16) - 8));
            if (d == 7 || d == 8) c.set(x, y, GOLD + 4);
            else if (d < 2) c.set(x, y, GOLD + 5);
            else c.set(x, y, RED + shade);
        }
}

void flagstones(Canvas& c) {
    // Flags of uneven widths, their joints never lining up from one course to the next,
    // weathered in patches, with moss in a few joints.
    c = Canvas(S, S, STONE + 1);
    const int joints[2][2] = {{0, 20}, {10, 26}};  // where stones start, per course of 16
    for (int course = 0; course < 2; ++course)
        for (int k = 0; k < 2; ++k) {
            int x0 = joints[course][k], x1 = joints[course][(k + 1) % 2] + (k == 1 ? S : 0);
            for (int y = course * 16 + 1; y < course * 16 + 16; ++y)
                for (int x = x0 + 1; x < x1; ++x) {
                    // Mottled weathering rather than a shade per stone, so no checker shows.
                    int shade = pnoise(x, y, 8, 161 + k + course) > 0.55 ? 4 : 3;
                    if (y == course * 16 + 1) shade = 5;
                    if (grain(x, y, 162) < 0.08) shade -= 1;
                    wset(c, x, y, STONE + std::clamp(shade, 0, 7));
                }
        }
    for (auto [x, y] : {std::pair{20, 5}, {20, 6}, {12, 16}, {13, 16}, {26, 27}}) c.set(x, y, MOSS + 3);
}

void mud(Canvas& c) {
    // Dark wet earth, churned into ridges, with puddles that catch the sky.
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            double v = 0.6 * pnoise(x, y, 8, 290) + 0.25 * pnoise(x, y, 4, 291) + 0.15 * grain(x, y, 292);
            c.set(x, y, DIRT + (v > 0.72 ? 3 : v > 0.42 ? 2 : 1));
        }
    // One shallow puddle, dark with a glint of sky, and a wet lip above it.
    fill_ellipse(c, 20, 19, 4, 1, WATER + 1);
    fill_rect(c, 18, 19, 3, 1, SKY + 2);
    for (int i = -4; i <= 4; ++i) darken(c, 20 + i, 17, -1);
    speckle(c, DIRT + 4, 12, 293);
}

void mushroom(Canvas& c, int x, int y, int cap) {
    for (int j = 0; j < 3; ++j) wset(c, x, y + j, CREAM + 6);
    wset(c, x + 1, y + 3, LEAF + 0);
    for (int i = -2; i <= 2; ++i) wset(c, x + i, y - 1, cap + 4);
    for (int i = -1; i <= 1; ++i) wset(c, x + i, y - 2, cap + 5);
    wset(c, x - 1, y - 1, WHITE);
    wset(c, x + 1, y - 2, WHITE);
}

}  // namespace

Canvas floor_tile(int t) {
    Canvas c = blank();
    switch (t) {
    case T_GRASS:
        grass(c, 100);
        break;
    case T_GRASS_TUFTS:
        grass(c, 100);
        tuft(c, 8, 12);
        tuft(c, 22, 26);
        tuft(c, 26, 9);
        break;
    case T_FLOWERS_YELLOW:
        grass(c, 100);
        flower(c, 6, 6, GOLD + 6, ORANGE + 4);
        flower(c, 20, 11, WHITE, GOLD + 5);
        flower(c, 11, 22, GOLD + 6, ORANGE + 4);
        flower(c, 26, 25, WHITE, GOLD + 5);
        flower(c, 29, 3, GOLD + 6, ORANGE + 4);
        break;
    case T_FLOWERS_RED:
        grass(c, 100);
        flower(c, 5, 9, RED + 5, GOLD + 6);
        flower(c, 18, 5, FLOWER + 5, WHITE);
        flower(c, 24, 18, RED + 5, GOLD + 6);
        flower(c, 9, 25, PURPLE + 5, GOLD + 6);
        flower(c, 28, 28, FLOWER + 5, WHITE);
        break;
    case T_DIRT:
        dirt(c, 110);
        break;
    case T_DIRT_PEBBLES:
        dirt(c, 110);
        pebble(c, 6, 8, STONE);
        pebble(c, 21, 4, SLATE);
        pebble(c, 14, 20, STONE);
        pebble(c, 26, 25, SLATE);
        break;
    case T_DIRT_GRASSY:
        // The worn edge of a path: dirt with small tufts of grass pushing through.
        dirt(c, 110);
        for (int k = 0; k < 7; ++k) {
            int x = static_cast<int>(noise(k, 1, 116) % S), y = static_cast<int>(noise(k, 2, 116) % S);
            for (int i = -2; i <= 2; ++i)
                for (int j = 0; j < 3 - std::abs(i) / 2; ++j) wset(c, x + i, y - j, j == 0 ? GRASS + 2 : GRASS + 4 + (i == 0));
        }
        break;
    case T_SAND:
        sand(c, 120);
        break;
    case T_SAND_SHELLS:
        sand(c, 120);
        for (auto [x, y] : {std::pair{7, 9}, {22, 19}, {13, 27}}) {
            fill_ellipse(c, x, y, 2, 1, CREAM + 6);
            c.set(x - 1, y, ROSE + 5);
            c.set(x + 1, y + 1, SAND + 2);
        }
        break;
    case T_PLANKS_H:
        boards(c, WOOD, 3, 5, 8, 130);
        break;
    case T_JAIL_FLOOR: {
        const int widths[] = {16, 16};
        stones(c, SLATE, 4, 16, widths, 2, 140);
        break;
    }
    case T_COBBLES: {
        c = Canvas(S, S, STONE + 2);
        for (int row = 0; row < 4; ++row)
            for (int col = 0; col < 5; ++col) {
                int cx = col * 8 + (row % 2) * 4, cy = row * 8 + 4;
                int tone = 4 + static_cast<int>(noise(col, row, 150) % 2);
                for (int dy = -3; dy <= 3; ++dy)
                    for (int dx = -3; dx <= 3; ++dx) {
                        if (dx * dx + dy * dy > 10) continue;
                        int shade = tone + (dx + dy <= -3) - (dx + dy >= 3);
                        wset(c, cx + dx, cy + dy - 1, STONE + shade);
                    }
            }
        break;
    }
    case T_SLABS:
        flagstones(c);
        break;
    case T_FOREST_FLOOR:
        ground(c, MOSS, 2, 4, 16, 170);
        for (int k = 0; k < 14; ++k) {
            int x = static_cast<int>(noise(k, 1, 171) % S), y = static_cast<int>(noise(k, 2, 171) % S);
            int leaf = k % 3 == 0 ? OCHRE + 3 : k % 3 == 1 ? WOOD + 3 : LEAF + 2;
            wset(c, x, y, leaf);
            wset(c, x + 1, y, leaf);
            wset(c, x, y + 1, shifted(leaf, 1));
        }
        break;
    case T_CLOVER:
        grass(c, 100);
        for (int k = 0; k < 7; ++k) {
            int x = static_cast<int>(noise(k, 1, 181) % S), y = static_cast<int>(noise(k, 2, 181) % S);
            wset(c, x, y, LEAF + 5);
            wset(c, x + 1, y, LEAF + 6);
            wset(c, x, y + 1, LEAF + 4);
            wset(c, x + 1, y + 1, LEAF + 3);
            wset(c, x - 1, y + 1, LEAF + 5);
        }
        break;
    case T_FIELD:
        furrows(c, 190);
        break;
    case T_FIELD_SPROUTS:
        furrows(c, 190);
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k) {
                int x = k * 8 + 2 + row % 2 * 4, y = row * 8 + 1;
                wset(c, x, y, LIME + 4);
                wset(c, x - 1, y - 1, LIME + 5);
                wset(c, x + 1, y - 1, LIME + 5);
                wset(c, x, y + 1, GRASS + 2);
            }
        break;
    case T_STRAW:
        ground(c, OCHRE, 3, 5, 16, 200);
        for (int k = 0; k < 40; ++k) {
            int x = static_cast<int>(noise(k, 1, 201) % S), y = static_cast<int>(noise(k, 2, 201) % S);
            int dx = k % 2 ? 1 : -1;
            for (int i = 0; i < 5; ++i) wset(c, x + i * dx, y + i / 2, k % 3 ? GOLD + 6 : OCHRE + 2);
        }
        break;
    case T_WAX_FLOOR:
        wax_cells(c, 210);
        break;
    case T_WAX_HONEY:
        // A spill of dark honey running across the wax.
        wax_cells(c, 210);
        for (int y = 0; y < S; ++y)
            for (int x = 0; x < S; ++x) {
                double dx = (x - 15) / 11.0, dy = (y - 17) / 6.0;
                if (dx * dx + dy * dy + 0.5 * (pnoise(x, y, 8, 211) - 0.5) <= 1.0) c.set(x, y, HONEY + 3 + (dy < -0.5));
            }
        fill_rect(c, 10, 13, 4, 1, HONEY + 6);
        break;
    case T_BARK_FLOOR_H:
        bark_floor(c, 220);
        break;
    case T_BARK_FLOOR_V:
        bark_floor(c, 220);
        c = rotate_90_clockwise(c);
        break;
    case T_BARK_MOSSY:
        // A cushion of moss spreading over the bark, thickest in the middle.
        bark_floor(c, 220);
        for (int y = 0; y < S; ++y)
            for (int x = 0; x < S; ++x) {
                double dx = (x - 15.5) / 13.0, dy = (y - 15.5) / 10.0;
                double v = 1.0 - (dx * dx + dy * dy) + 0.6 * (pnoise(x, y, 4, 225) - 0.5);
                if (v > 0.3) c.set(x, y, MOSS + (v > 0.55 ? 3 : 2) + (grain(x, y, 226) < 0.12));
            }
        break;
    case T_ROPE_BRIDGE_H:
        rope_bridge(c);
        break;
    case T_ROPE_BRIDGE_V:
        rope_bridge(c);
        c = rotate_90_clockwise(c);
        break;
    case T_ARENA:
        arena_ground(c);
        break;
    case T_CARPET:
        carpet(c);
        break;
    case T_PLANKS_V:
        boards(c, WOOD, 3, 5, 8, 130);
        c = rotate_90_clockwise(c);
        break;
    case T_MUSHROOMS:
        c = floor_tile(T_FOREST_FLOOR);
        mushroom(c, 8, 10, RED);
        mushroom(c, 22, 22, RED);
        mushroom(c, 14, 26, OCHRE);
        break;
    case T_MUD:
        mud(c);
        break;
    case T_BOARDS:
        boards(c, WOOD, 4, 6, 4, 300);
        break;
    default:
        break;
    }
    return c;
}

}  // namespace art::tilepaint
