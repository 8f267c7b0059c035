// The solid tiles (31..69): trees, water and shores, rock, fences, fort and jail walls,
// prisoners, wax, bark, the sky below the branches, and farm things.
#include <array>
#include <numbers>
#include <vector>

#include "level_tile_paint.h"
#include "level_tiles.h"

namespace art::tilepaint {

namespace {

// A ball drawn through the tile edges, with a dark rim, for closed canopies.
void wrapped_crown(Canvas& c, int cx, int cy, int r, int ramp, int lo, int hi) {
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
            double ex = dx / (r + 0.5), ey = dy / (r + 0.5);
            double d2 = ex * ex + ey * ey;
            if (d2 > 1.0) continue;
            double light = 0.6 - 0.3 * (ex + ey) - 0.3 * d2 + 0.15 * (grain(cx + dx, cy + dy, 400) - 0.5);
            int shade = d2 > 0.86 && ex + ey > -0.3 ? lo - 1 : lo + static_cast<int>(std::lround(std::clamp(light, 0.0, 1.0) * (hi - lo)));
            wset(c, cx + dx, cy + dy, ramp + std::clamp(shade, 0, 7));
        }
}

// Draws a shape made on a transparent canvas with a dark outline onto the tile.
void stamp(Canvas& c, Canvas shape) {
    outline(shape, BLACK);
    paste(c, shape, 0, 0);
}

Canvas leafy_crown(unsigned seed) {
    Canvas crown(S, S);
    const int lumps[][3] = {{16, 13, 11}, {9, 13, 7}, {23, 12, 7}, {16, 6, 7}, {11, 19, 6}, {21, 19, 6}};
    for (const auto& l : lumps) ball(crown, l[0], l[1], l[2], l[2], LEAF, 2, 6);
    // Leaf clusters: a few light flecks with a dark fleck under each.
    for (int k = 0; k < 24; ++k) {
        int x = 5 + static_cast<int>(noise(k, 1, seed) % 22), y = 2 + static_cast<int>(noise(k, 2, seed) % 22);
        if (!crown.at(x, y) || !crown.at(x, y + 1)) continue;
        crown.set(x, y, shifted(crown.at(x, y), -2));
        crown.set(x, y + 1, shifted(crown.at(x, y + 1), 2));
    }
    return crown;
}

void oak(Canvas& c) {
    grass(c, 100);
    shadow(c, 19, 23, 13, 8);
    fill_rect(c, 14, 20, 5, 10, BARK + 3);
    fill_rect(c, 14, 20, 2, 10, BARK + 4);
    fill_rect(c, 18, 20, 1, 10, BARK + 1);
    Canvas crown = leafy_crown(410);
    // A few apples in the crown.
    for (auto [x, y] : {std::pair{10, 12}, {21, 9}, {17, 18}}) {
        crown.set(x, y, RED + 4);
        crown.set(x + 1, y, RED + 3);
        crown.set(x, y - 1, RED + 6);
    }
    stamp(c, crown);
}

void pine(Canvas& c) {
    grass(c, 100);
    shadow(c, 19, 25, 12, 6);
    fill_rect(c, 15, 25, 3, 6, BARK + 3);
    Canvas tree(S, S);
    const int tiers[][3] = {{26, 13, 6}, {19, 11, 3}, {12, 8, 1}};  // bottom, half width, top
    for (const auto& t : tiers) {
        fill_polygon(tree, {{16, t[2]}, {16 - t[1], t[0]}, {16 + t[1], t[0]}}, LEAF + 3);
        for (int y = t[2]; y <= t[0]; ++y)
            for (int x = 0; x < S; ++x)
                if (tree.at(x, y)) tree.set(x, y, LEAF + (x < 16 ? 3 + (x > 12) : 2) + (y == t[0] - 1 ? -1 : 0));
    }
    for (int k = 0; k < 12; ++k) {
        int x = 9 + static_cast<int>(noise(k, 1, 420) % 8), y = 4 + static_cast<int>(noise(k, 2, 420) % 20);
        if (tree.at(x, y)) tree.set(x, y, LEAF + 5);
    }
    stamp(c, tree);
}

void canopy(Canvas& c) {
    c = Canvas(S, S, LEAF + 0);
    const int crowns[][3] = {{6, 6, 10}, {22, 4, 9}, {14, 18, 10}, {29, 20, 9}, {4, 27, 8}, {22, 29, 8}};
    for (const auto& k : crowns) wrapped_crown(c, k[0], k[1], k[2], LEAF, 2, 5);
    for (int k = 0; k < 30; ++k) {
        int x = static_cast<int>(noise(k, 1, 430) % S), y = static_cast<int>(noise(k, 2, 430) % S);
        if (c.at(x, y) > LEAF + 1) wset(c, x, y, shifted(c.at(x, y), -1));
    }
}

void bush(Canvas& c) {
    grass(c, 100);
    shadow(c, 18, 22, 12, 7);
    Canvas b(S, S);
    ball(b, 11, 18, 7, 6, GRASS, 1, 5);
    ball(b, 21, 18, 7, 6, GRASS, 1, 5);
    ball(b, 16, 13, 8, 7, GRASS, 1, 6);
    for (auto [x, y] : {std::pair{10, 17}, {19, 12}, {23, 19}, {14, 21}}) {
        b.set(x, y, RED + 5);
        b.set(x + 1, y, RED + 3);
    }
    stamp(c, b);
}

void boulder(Canvas& c) {
    grass(c, 100);
    shadow(c, 19, 23, 13, 7);
    Canvas b(S, S);
    ball(b, 15, 17, 12, 10, STONE, 2, 6);
    ball(b, 22, 20, 6, 5, STONE, 1, 5);
    line(b, 10, 12, 14, 17, STONE + 1);
    line(b, 14, 17, 13, 22, STONE + 1);
    for (int x = 9; x < 18; ++x)
        if (b.at(x, 9)) b.set(x, 9, MOSS + 4);
    stamp(c, b);
}

void water(Canvas& c) {
    ground(c, WATER, 3, 4, 16, 440);
    for (int k = 0; k < 9; ++k) {
        int x = static_cast<int>(noise(k, 1, 441) % S), y = static_cast<int>(noise(k, 2, 441) % S);
        int len = 3 + static_cast<int>(noise(k, 3, 441) % 4);
        for (int i = 0; i < len; ++i) {
            wset(c, x + i, y, i == 0 || i == len - 1 ? WATER + 5 : WATER + 6);
            wset(c, x + i + 1, y + 1, WATER + 2);
        }
    }
}

// Water with land along the given sides: grass, a sandy rim, a line of foam, then water.
void shore(Canvas& c, bool north, bool south, bool west, bool east) {
    water(c);
    Canvas g = blank();
    grass(g, 100);
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            double d = 99;
            // The rim wanders along each side; the wobble repeats every tile so shores join.
            auto wob = [](int along, unsigned seed) { return 2.5 * pnoise(along, 0, 8, seed); };
            if (north) d = std::min(d, y - wob(x, 450));
            if (south) d = std::min(d, (S - 1 - y) - wob(x, 451));
            if (west) d = std::min(d, x - wob(y, 452));
            if (east) d = std::min(d, (S - 1 - x) - wob(y, 453));
            if (d < 5) c.set(x, y, g.at(x, y));
            else if (d < 8) c.set(x, y, SAND + 4 + (grain(x, y, 454) < 0.3) - (d > 7));
            else if (d < 9.2) c.set(x, y, WATER + 7);
            else if (d < 11) c.set(x, y, WATER + 5);
        }
}

void lily(Canvas& c) {
    water(c);
    for (auto [x, y, r] : {std::array{9, 10, 5}, {22, 20, 4}, {12, 25, 3}}) {
        ball(c, x, y, r, r - 1, GRASS, 3, 6);
        line(c, x, y, x + r, y - 1, WATER + 3);
    }
    fill_rect(c, 8, 8, 3, 2, ROSE + 6);
    c.set(9, 7, ROSE + 5);
    c.set(9, 8, GOLD + 6);
}

void cliff_face(Canvas& c) {
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            // Vertical strata with a few ledges; the foot of the face lies in shadow.
            double strata = pnoise(x, 0, 4, 460) * 0.6 + pnoise(x, y, 8, 461) * 0.4;
            int shade = 2 + static_cast<int>(strata * 4);
            if (y % 11 == 10) shade -= 1;
            if (y % 11 == 0) shade += 1;
            if (y >= 28) shade = 1 + (y == 28);
            if (y < 2) shade = 6;
            c.set(x, y, SLATE + std::clamp(shade, 0, 7));
        }
    for (int k = 0; k < 4; ++k) {
        int x = static_cast<int>(noise(k, 1, 462) % S), y0 = 3 + static_cast<int>(noise(k, 2, 462) % 10);
        for (int y = y0; y < y0 + 12 && y < 28; ++y) wset(c, x + (y % 5 == 0), y, SLATE + 0);
    }
}

void cliff_top(Canvas& c) {
    ground(c, SLATE, 4, 6, 16, 470);
    for (int k = 0; k < 5; ++k) {
        int x = static_cast<int>(noise(k, 1, 471) % S), y = static_cast<int>(noise(k, 2, 471) % S);
        for (int i = 0; i < 6; ++i) wset(c, x + i, y + (i * k) % 3, SLATE + 2);
    }
    for (int k = 0; k < 4; ++k) {
        int x = static_cast<int>(noise(k, 3, 471) % S), y = static_cast<int>(noise(k, 4, 471) % S);
        wset(c, x, y, GRASS + 4);
        wset(c, x + 1, y - 1, GRASS + 5);
        wset(c, x - 1, y - 1, GRASS + 5);
    }
}

void post(Canvas& c, int x, int y, int w, int h) {
    fill_rect(c, x, y, w, h, WOOD + 3);
    fill_rect(c, x, y, 1, h, WOOD + 5);
    fill_rect(c, x + w - 1, y, 1, h, WOOD + 1);
    fill_rect(c, x, y, w, 1, WOOD + 6);
    for (int i = 0; i < w + 2; ++i) darken(c, x + i + 1, y + h, 2);
}

void fence_h(Canvas& c) {
    grass(c, 100);
    for (int ry : {11, 19}) {
        for (int x = 0; x < S; ++x) {
            darken(c, x, ry + 3, 2);
            c.set(x, ry, WOOD + 5);
            c.set(x, ry + 1, WOOD + 3);
            c.set(x, ry + 2, WOOD + 1);
        }
    }
    post(c, 5, 7, 4, 19);
    post(c, 21, 7, 4, 19);
}

void fence_v(Canvas& c) {
    // Seen from the south, a fence running up the map shows its posts one behind another
    // and its rails as a narrow band between them.
    grass(c, 100);
    for (int y = 0; y < S; ++y) {
        darken(c, 19, y, 2);
        darken(c, 20, y, 1);
        c.set(14, y, WOOD + 5);
        c.set(15, y, WOOD + 4);
        c.set(16, y, WOOD + 3);
        c.set(17, y, WOOD + 1);
    }
    post(c, 13, 1, 6, 12);
    post(c, 13, 17, 6, 12);
}

// Blocks in running bond: `bw` x `bh` pixels, each shaded on its own.
void masonry(Canvas& c, int ramp, int lo, int bw, int bh, int mortar, unsigned seed) {
    c = Canvas(S, S, mortar);
    for (int row = 0; row < S / bh; ++row)
        for (int b = -1; b < S / bw + 1; ++b) {
            int x0 = b * bw + (row % 2) * (bw / 2), y0 = row * bh;
            int tone = lo + static_cast<int>(noise(b & 7, row, seed) % 2);
            for (int y = y0 + 1; y < y0 + bh; ++y)
                for (int x = x0 + 1; x < x0 + bw; ++x) {
                    int shade = tone;
                    if (y == y0 + 1) shade = tone + 2;
                    else if (x == x0 + 1) shade = tone + 1;
                    else if (y == y0 + bh - 1 || x == x0 + bw - 1) shade = tone - 1;
                    if (grain(x, y, seed + 1) < 0.1) shade -= 1;
                    wset(c, x, y, ramp + std::clamp(shade, 0, 7));
                }
        }
}

void fort_wall(Canvas& c) {
    masonry(c, BRICK, 3, 16, 8, SLATE + 1, 480);
    for (int x = 0; x < S; ++x) {
        c.set(x, 0, BRICK + 6);
        c.set(x, 1, BRICK + 5);
        for (int y = 29; y < S; ++y) c.set(x, y, shifted(c.at(x, y), 2));
    }
}

void fort_top(Canvas& c) {
    // Bricks laid flat in a basket weave along the walkway, worn paler where feet tread.
    c = Canvas(S, S, BRICK + 1);
    for (int by = 0; by < 4; ++by)
        for (int bx = 0; bx < 4; ++bx) {
            bool across = (bx + by) % 2 == 0;
            for (int k = 0; k < 2; ++k) {
                int x0 = bx * 8 + (across ? 0 : k * 4), y0 = by * 8 + (across ? k * 4 : 0);
                int w = across ? 8 : 4, h = across ? 4 : 8;
                int tone = 3 + static_cast<int>(noise(bx * 2 + k, by, 491) % 2);
                for (int y = y0 + 1; y < y0 + h; ++y)
                    for (int x = x0 + 1; x < x0 + w; ++x) {
                        int shade = tone + (y == y0 + 1 || x == x0 + 1) - (grain(x, y, 492) < 0.1);
                        c.set(x, y, BRICK + std::clamp(shade, 0, 7));
                    }
            }
        }
    for (auto [x, y] : {std::pair{3, 20}, {4, 20}, {27, 5}, {12, 31}}) c.set(x, y, MOSS + 3);
}

// A cottage wall of logs laid on their sides, with a shuttered window.
void timber_wall(Canvas& c) {
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            int k = y % 8;
            int shade = k == 0 ? 1 : k < 3 ? 5 : k < 6 ? 4 : 2;
            if (grain(x, y, 505) < 0.08) shade -= 1;
            c.set(x, y, WOOD + shade);
        }
    fill_rect(c, 10, 8, 12, 12, NIGHT + 2);
    fill_rect(c, 11, 9, 10, 10, SKY + 2);
    fill_rect(c, 15, 9, 2, 10, WOOD + 2);
    fill_rect(c, 11, 13, 10, 1, WOOD + 2);
    fill_rect(c, 6, 8, 4, 12, GRASS + 2);  // shutters
    fill_rect(c, 22, 8, 4, 12, GRASS + 2);
    fill_rect(c, 6, 8, 1, 12, GRASS + 4);
    fill_rect(c, 22, 8, 1, 12, GRASS + 4);
    fill_rect(c, 9, 20, 14, 2, FLOWER + 4);  // a window box of flowers
    c.set(11, 19, GOLD + 6);
    c.set(15, 19, RED + 5);
    c.set(19, 19, GOLD + 6);
    for (int x = 0; x < S; ++x) c.set(x, S - 1, BARK + 0);
}

void jail_wall(Canvas& c) {
    masonry(c, STONE, 1, 16, 8, NIGHT + 1, 500);
    for (int x = 0; x < S; ++x) c.set(x, S - 1, NIGHT + 1);
}

void window_bars(Canvas& c, int x0, int y0, int w, int h) {
    for (int x = x0 - 1; x < x0 + w + 1; ++x) c.set(x, y0 + h, SLATE + 6);  // the sill
    for (int x = x0; x < x0 + w; x += 4) {
        fill_rect(c, x + 1, y0, 2, h, STEEL + 4);
        fill_rect(c, x + 1, y0, 1, h, STEEL + 6);
    }
    fill_rect(c, x0, y0 + 2, w, 1, STEEL + 3);
}

// A rat of Curdwick, seen from the front: fur grey-brown, ears and tail pink.
Canvas townsfolk(bool dress) {
    Canvas r(S, S);
    thick_line(r, 21, 27, 27, 24, 0, ROSE + 4);  // the tail
    thick_line(r, 27, 24, 28, 19, 0, ROSE + 4);
    if (dress) {
        fill_polygon(r, {{11, 15}, {21, 15}, {25, 29}, {7, 29}}, FLOWER + 4);
        for (int y = 15; y < 29; ++y) r.set(8 + (y - 15) * 4 / 14 + 7, y, FLOWER + 5);
        fill_rect(r, 13, 19, 6, 9, CREAM + 6);  // apron
    } else {
        ball(r, 16, 21, 7, 7, NAVY, 3, 6);
        fill_rect(r, 10, 25, 12, 3, BARK + 3);  // trousers
    }
    fill_rect(r, 11, 28, 4, 2, SKIN + 5);  // feet
    fill_rect(r, 17, 28, 4, 2, SKIN + 5);
    ball(r, 8, 19, 2, 3, FUR + 4, 0, 0);
    ball(r, 24, 19, 2, 3, FUR + 4, 0, 0);
    r.set(8, 22, SKIN + 5);
    r.set(24, 22, SKIN + 5);
    ball(r, 10, 5, 3, 3, FUR, 3, 5);  // ears
    ball(r, 22, 5, 3, 3, FUR, 3, 5);
    fill_ellipse(r, 10, 5, 1, 1, ROSE + 5);
    fill_ellipse(r, 22, 5, 1, 1, ROSE + 5);
    ball(r, 16, 10, 7, 6, FUR, 3, 6);  // head
    fill_ellipse(r, 16, 13, 3, 2, FUR + 6);  // muzzle
    r.set(16, 13, ROSE + 5);
    r.set(15, 13, ROSE + 4);
    r.set(13, 9, BLACK);
    r.set(19, 9, BLACK);
    r.set(13, 8, WHITE);
    r.set(19, 8, WHITE);
    return r;
}

void prisoner(Canvas& c, bool dress) {
    c = floor_tile(T_JAIL_FLOOR);
    shadow(c, 17, 29, 10, 3);
    stamp(c, townsfolk(dress));
}

void jail_door(Canvas& c) {
    jail_wall(c);
    fill_rect(c, 4, 3, 24, 27, NIGHT + 1);
    fill_rect(c, 4, 3, 24, 2, NIGHT + 0);
    // Iron bars and two cross bands, riveted.
    for (int x = 5; x < 28; x += 5) {
        fill_rect(c, x, 3, 2, 27, STEEL + 4);
        fill_rect(c, x, 3, 1, 27, STEEL + 6);
    }
    for (int y : {8, 22}) {
        fill_rect(c, 4, y, 24, 2, STEEL + 3);
        fill_rect(c, 4, y, 24, 1, STEEL + 5);
    }
    fill_rect(c, 18, 13, 6, 6, GOLD + 4);
    fill_rect(c, 18, 13, 6, 1, GOLD + 6);
    fill_rect(c, 20, 15, 2, 2, BLACK);
    c.set(20, 17, BLACK);
    rect_outline(c, 3, 2, 26, 29, SLATE + 2);
    fill_rect(c, 3, 30, 26, 2, SLATE + 5);
}

void wax_wall(Canvas& c, unsigned seed) {
    // Capped cells, domed and lit from the upper left, in offset rows.
    c = Canvas(S, S, HONEY + 0);
    wax_comb(c, seed, [](int dx, int dy, int tone) {
        int shade = 2 + tone - (dx + dy) / 2;
        if (std::abs(dx) + std::abs(dy) == 4) shade = 0;
        return HONEY + std::clamp(shade, 0, 5);
    });
}

void bark_wall(Canvas& c) {
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            // Ridges run up the trunk; deep furrows between them.
            double ridge = pnoise(x, y / 4, 4, 510) * 0.7 + pnoise(x, y, 8, 511) * 0.3;
            int shade = 1 + static_cast<int>(ridge * 5);
            if (ridge < 0.32) shade = 0;
            c.set(x, y, BARK + std::clamp(shade, 0, 5));
        }
}

void sky(Canvas& c) {
    // The open air far above the ground: an even deep blue with a faint shimmer, so that
    // nothing marks where one tile meets the next; the clouds below give it depth.
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            double g = grain(x, y, 521);
            c.set(x, y, SKY + (g > 0.94 ? 5 : g < 0.08 ? 3 : 4));
        }
}

// The rounded side of a limb seen from above its edge: bark curving down into shadow, its
// lower edge ragged, moss hanging from it, and the drop below.
void branch_side(Canvas& c) {
    sky(c);
    for (int x = 0; x < S; ++x) {
        int depth = 16 + static_cast<int>(8 * pnoise(x, 0, 8, 600));
        for (int y = 0; y < depth; ++y) {
            double t = double(y) / depth;
            int shade = t < 0.15 ? 5 : t < 0.5 ? 4 : t < 0.8 ? 3 : 2;
            if (grain(x * 3, y / 3, 601) < 0.18) shade -= 1;  // furrows running along the limb
            c.set(x, y, BARK + std::clamp(shade, 0, 7));
        }
        c.set(x, depth, BARK + 0);
        for (int y = depth + 1; y < std::min(S, depth + 4); ++y) darken(c, x, y, 1);  // its shadow on the haze
    }
    for (int x = 0; x < S; ++x) c.set(x, 0, WOOD + 2);  // the walkway's worn lip
    for (auto [x, len] : {std::pair{5, 7}, {6, 4}, {19, 9}, {27, 5}}) {
        int top = 16 + static_cast<int>(8 * pnoise(x, 0, 8, 600)) - 2;
        for (int i = 0; i < len; ++i) c.set(x, top + i, MOSS + (i < len - 2 ? 3 : 4));
    }
}

void leaves(Canvas& c) {
    sky(c);
    Canvas l(S, S);
    const int lumps[][3] = {{16, 16, 11}, {8, 12, 7}, {24, 13, 7}, {12, 23, 7}, {22, 23, 7}, {16, 7, 6}};
    for (const auto& k : lumps) ball(l, k[0], k[1], k[2], k[2], LEAF, 2, 6);
    for (int k = 0; k < 30; ++k) {
        int x = static_cast<int>(noise(k, 1, 530) % S), y = static_cast<int>(noise(k, 2, 530) % S);
        if (l.at(x, y) && l.at(x + 1, y)) {
            l.set(x, y, LEAF + 7);
            l.set(x + 1, y, LEAF + 6);
        }
    }
    stamp(c, l);
}

void cloud(Canvas& c) {
    // Puffs of cloud far below, lit from above, their undersides tinged with the blue.
    sky(c);
    Canvas k(S, S);
    const int puffs[][3] = {{16, 17, 10}, {7, 14, 7}, {25, 14, 7}, {11, 24, 7}, {22, 24, 7}, {16, 8, 7}, {3, 24, 4}, {29, 23, 4}};
    for (const auto& p : puffs) ball(k, p[0], p[1], p[2], p[2], SKY, 5, 7);
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x)
            if (k.at(x, y) && !k.at(x, std::min(S - 1, y + 2))) k.set(x, y, SKY + 5);
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x)
            if (k.at(x, y) == SKY + 7 && grain(x, y, 531) < 0.5) k.set(x, y, WHITE);
    paste(c, k, 0, 0);
}

void haystack(Canvas& c) {
    grass(c, 100);
    shadow(c, 19, 24, 13, 7);
    Canvas h(S, S);
    ball(h, 16, 17, 13, 12, OCHRE, 2, 6);
    for (int k = 0; k < 40; ++k) {
        int x = 4 + static_cast<int>(noise(k, 1, 540) % 24), y = 6 + static_cast<int>(noise(k, 2, 540) % 22);
        if (!h.at(x, y)) continue;
        int dx = x < 16 ? -1 : 1;
        for (int i = 0; i < 3; ++i)
            if (h.at(x + i * dx, y + i)) h.set(x + i * dx, y + i, k % 2 ? GOLD + 6 : OCHRE + 2);
    }
    stamp(c, h);
}

void corn(Canvas& c) {
    c = Canvas(S, S, DIRT + 1);
    for (int col = 0; col < 4; ++col) {
        int x = col * 8 + 3;
        for (int y = 0; y < S; ++y) {
            c.set(x, y, LIME + 2);
            c.set(x + 1, y, LIME + 3);
            int phase = (y + col * 5) % 8;
            if (phase < 4) {  // leaves leaning out on alternate sides
                c.set(x + 2 + phase, y, GRASS + 4);
                c.set(x - 1 - phase, (y + 4) % S, GRASS + 3);
                c.set(x + 2 + phase, (y + 1) % S, GRASS + 2);
            }
        }
        for (int y = (col * 11) % S, i = 0; i < 5; ++i) {
            wset(c, x + 2, y + i, GOLD + 5 - (i == 4));
            wset(c, x + 3, y + i, GOLD + 4);
        }
    }
}

void crates(Canvas& c) {
    c = floor_tile(T_SLABS);
    shadow(c, 14, 25, 12, 6);
    Canvas k(S, S);
    fill_rect(k, 2, 8, 17, 18, WOOD + 4);
    for (int y = 8; y < 26; y += 6) fill_rect(k, 2, y, 17, 1, WOOD + 2);
    line(k, 2, 8, 18, 25, WOOD + 2);
    fill_rect(k, 2, 8, 17, 1, WOOD + 6);
    fill_rect(k, 2, 8, 1, 18, WOOD + 5);
    ball(k, 25, 19, 5, 7, WOOD, 2, 5);  // a barrel
    fill_rect(k, 20, 15, 11, 1, STEEL + 3);
    fill_rect(k, 20, 22, 11, 1, STEEL + 3);
    fill_ellipse(k, 25, 13, 4, 2, WOOD + 5);
    stamp(c, k);
}

void molehill(Canvas& c) {
    grass(c, 100);
    shadow(c, 18, 23, 13, 6);
    Canvas m(S, S);
    ball(m, 16, 19, 12, 8, DIRT, 2, 5);
    ball(m, 15, 16, 7, 5, DIRT, 3, 6);
    fill_ellipse(m, 16, 15, 2, 1, DIRT + 1);
    m.set(16, 15, NIGHT + 1);
    for (int k = 0; k < 12; ++k) {
        int x = 4 + static_cast<int>(noise(k, 1, 550) % 24), y = 12 + static_cast<int>(noise(k, 2, 550) % 14);
        if (m.at(x, y)) m.set(x, y, DIRT + 6);
    }
    stamp(c, m);
    for (auto [x, y] : {std::pair{3, 27}, {28, 26}, {5, 12}}) {
        c.set(x, y, DIRT + 3);
        c.set(x + 1, y, DIRT + 4);
    }
}

void roof(Canvas& c) {
    // Clay shingles in overlapping rows, each rounded at its lower edge.
    c = Canvas(S, S, CLAY + 1);
    for (int row = 0; row < 4; ++row)
        for (int k = -1; k < 5; ++k) {
            int x0 = k * 8 + (row % 2) * 4, y0 = row * 8;
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x) {
                    double dx = (x - 3.5) / 4.0, dy = (y - 0.0) / 8.0;
                    if (dx * dx + dy * dy > 1.0) continue;
                    int shade = y < 2 ? 3 : 4 + (x < 3) - (y > 5);
                    if (x == 0) shade = 2;
                    wset(c, x0 + x, y0 + y, CLAY + shade);
                }
        }
}

}  // namespace

Canvas solid_tile(int t) {
    Canvas c = blank();
    switch (t) {
    case T_OAK: oak(c); break;
    case T_PINE: pine(c); break;
    case T_CANOPY: canopy(c); break;
    case T_BUSH: bush(c); break;
    case T_BOULDER: boulder(c); break;
    case T_WATER: water(c); break;
    case T_WATER_LILY: lily(c); break;
    case T_SHORE_N: shore(c, true, false, false, false); break;
    case T_SHORE_S: shore(c, false, true, false, false); break;
    case T_SHORE_W: shore(c, false, false, true, false); break;
    case T_SHORE_E: shore(c, false, false, false, true); break;
    case T_SHORE_NW: shore(c, true, false, true, false); break;
    case T_SHORE_NE: shore(c, true, false, false, true); break;
    case T_SHORE_SW: shore(c, false, true, true, false); break;
    case T_SHORE_SE: shore(c, false, true, false, true); break;
    case T_CLIFF: cliff_face(c); break;
    case T_CLIFF_TOP: cliff_top(c); break;
    case T_FENCE_H: fence_h(c); break;
    case T_FENCE_V: fence_v(c); break;
    case T_FORT_WALL: fort_wall(c); break;
    case T_FORT_TOP: fort_top(c); break;
    case T_TIMBER_WALL: timber_wall(c); break;
    case T_JAIL_DOOR: jail_door(c); break;
    case T_JAIL_WALL: jail_wall(c); break;
    case T_CLOUD: cloud(c); break;
    case T_JAIL_BARS_PRISONER: {
        jail_wall(c);
        fill_rect(c, 7, 6, 18, 18, NIGHT + 1);
        Canvas face(S, S);
        ball(face, 11, 9, 2, 2, FUR, 3, 4);
        ball(face, 21, 9, 2, 2, FUR, 3, 4);
        face.set(11, 9, ROSE + 5);
        face.set(21, 9, ROSE + 5);
        ball(face, 16, 15, 6, 6, FUR, 2, 5);
        fill_ellipse(face, 16, 18, 2, 1, FUR + 6);
        face.set(16, 18, ROSE + 5);
        face.set(13, 14, WHITE);
        face.set(19, 14, WHITE);
        face.set(13, 15, BLACK);
        face.set(19, 15, BLACK);
        paste(c, face, 0, 0);
        window_bars(c, 7, 6, 18, 18);
        for (auto x : {9, 21}) fill_rect(c, x, 19, 2, 2, SKIN + 5);  // hands on the bars
        break;
    }
    case T_PRISONER_A: prisoner(c, false); break;
    case T_PRISONER_B: prisoner(c, true); break;
    case T_WAX_WALL: wax_wall(c, 560); break;
    case T_WAX_DRIP:
        wax_wall(c, 560);
        for (auto [x, len] : {std::pair{6, 10}, {15, 16}, {25, 7}}) {
            fill_rect(c, x, 20, 3, len - 4, GOLD + 4);
            fill_rect(c, x, 20, 1, len - 4, GOLD + 6);
            fill_ellipse(c, x + 1, 20 + len - 4, 2, 2, GOLD + 4);
            c.set(x, 19 + len - 4, GOLD + 6);
        }
        break;
    case T_BARK_WALL: bark_wall(c); break;
    case T_BRANCH_SIDE: branch_side(c); break;
    case T_SKY: sky(c); break;
    case T_LEAVES: leaves(c); break;
    case T_HAYSTACK: haystack(c); break;
    case T_CORN: corn(c); break;
    case T_CRATES: crates(c); break;
    case T_MOLEHILL: molehill(c); break;
    case T_ROOF: roof(c); break;
    default: break;
    }
    return c;
}

}  // namespace art::tilepaint
