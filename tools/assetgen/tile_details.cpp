// Writes FloorDetail.BMP: variants of the Great Tree's plain tiles (the open sky, the hive's wax,
// the bark of its limbs) that enhanced play scatters over wide stretches of them. Each variant is
// its plain tile with one small thing added well inside its edges, so it meets its plain
// neighbours without a seam.
#include <cmath>
#include <tuple>

#include "canvas.h"
#include "generators.h"
#include "level_tile_paint.h"
#include "level_tiles.h"
#include "world/tile_detail.h"

namespace art {

namespace {

using namespace tilepaint;

static_assert(TILE_DETAILS[0].tile == T_SKY && TILE_DETAILS[1].tile == T_WAX_FLOOR && TILE_DETAILS[2].tile == T_BARK_FLOOR_H &&
              TILE_DETAILS[3].tile == T_BARK_FLOOR_V);

// A drawn-out wisp of cloud far below, brightest along its middle.
void sky_wisp(Canvas& c, int cx, int cy, int half_length) {
    for (int dx = -half_length; dx <= half_length; ++dx) {
        const double t = double(dx) / half_length;
        const int thick = static_cast<int>(std::lround(2.2 * (1 - t * t)));
        const int y = cy + static_cast<int>(std::lround(1.2 * std::sin(dx * 0.35)));
        for (int dy = -thick; dy <= thick; ++dy) c.set(cx + dx, y + dy, SKY + (dy == 0 && std::abs(t) < 0.6 ? 7 : 6));
    }
}

// A bird seen from far above: a small dark V.
void bird(Canvas& c, int x, int y) {
    for (int i = 1; i <= 2; ++i) {
        c.set(x - i, y - i / 2, SKY + 1);
        c.set(x + i, y - i / 2, SKY + 1);
    }
    c.set(x, y, SKY + 0);
}

// A leaf lying or falling, its stem toward the lower left.
void leaf(Canvas& c, int cx, int cy, int ramp) {
    for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -4; dx <= 4; ++dx) {
            const double ex = dx / 4.5, ey = (dy + dx * 0.4) / 2.6;
            if (ex * ex + ey * ey <= 1.0) c.set(cx + dx, cy + dy, ramp + (dx + dy < 0 ? 5 : 3));
        }
    for (int i = -4; i <= 3; ++i) c.set(cx + i, cy - static_cast<int>(std::lround(i * 0.4)), ramp + 1);  // its vein
    c.set(cx - 5, cy + 2, ramp + 1);
}

// The wax comb's cell centres and their insides, as wax_comb lays them out.
template <class Paint>
void fill_cells(Canvas& c, const int (*cells)[2], int count, Paint paint) {
    for (int k = 0; k < count; ++k) {
        const int row = cells[k][0], col = cells[k][1];
        const int cx = col * 8 + (row % 2) * 4 + 4, cy = row * 8 + 4;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (std::abs(dx) + std::abs(dy) <= 3) c.set(cx + dx, cy + dy, paint(dx, dy));
    }
}

Canvas sky_variant(int v) {
    Canvas c = solid_tile(T_SKY);
    switch (v) {
    case 0:
        sky_wisp(c, 15, 13, 10);
        sky_wisp(c, 19, 21, 6);
        break;
    case 1:
        bird(c, 9, 12);
        bird(c, 17, 9);
        bird(c, 21, 17);
        break;
    case 2:
        leaf(c, 15, 15, LEAF);
        break;
    default:
        ball(c, 14, 16, 6, 4, SKY, 5, 7);
        ball(c, 19, 14, 5, 4, SKY, 5, 7);
        for (int x = 10; x < 24; ++x) c.set(x, 11 + (x % 5 == 0), c.at(x, 11) == SKY + 7 ? WHITE : c.at(x, 11));
        break;
    }
    return c;
}

Canvas wax_variant(int v) {
    Canvas c = floor_tile(T_WAX_FLOOR);
    switch (v) {
    case 0: {  // cells brimming with honey
        const int cells[][2] = {{1, 1}, {1, 2}, {2, 1}};
        fill_cells(c, cells, 3, [](int dx, int dy) { return HONEY + (dx + dy < -1 ? 6 : dx + dy > 1 ? 3 : 4); });
        break;
    }
    case 1: {  // capped cells, domed and darker
        const int cells[][2] = {{1, 2}, {2, 2}, {2, 1}, {1, 1}};
        fill_cells(c, cells, 4, [](int dx, int dy) { return dx == 0 && dy == 0 ? OCHRE + 2 : OCHRE + (dx + dy < 0 ? 5 : 3); });
        break;
    }
    case 2:  // spilled pollen
        for (int k = 0; k < 14; ++k) {
            const int x = 9 + static_cast<int>(noise(k, 1, 700) % 14), y = 9 + static_cast<int>(noise(k, 2, 700) % 14);
            fill_rect(c, x, y, 2, 2, k % 3 ? GOLD + 4 : ORANGE + 4);
            c.set(x, y, GOLD + 7);
        }
        break;
    default: {  // one cell with a drop of honey running from it
        const int cells[][2] = {{1, 2}};
        fill_cells(c, cells, 1, [](int dx, int dy) { return HONEY + (dx + dy < 0 ? 6 : 4); });
        for (int y = 14; y < 24; ++y) c.set(20, y, HONEY + 4);
        ball(c, 20, 24, 2, 2, HONEY, 3, 6);
        break;
    }
    }
    return c;
}

Canvas bark_variant(int v) {
    Canvas c = floor_tile(T_BARK_FLOOR_H);
    switch (v) {
    case 0:  // a knot in the grain
        for (int dy = -4; dy <= 4; ++dy)
            for (int dx = -6; dx <= 6; ++dx) {
                const double d = std::sqrt((dx / 6.5) * (dx / 6.5) + (dy / 4.5) * (dy / 4.5));
                if (d <= 1.0) c.set(16 + dx, 15 + dy, WOOD + (d < 0.35 ? 0 : d < 0.6 ? 2 : d < 0.85 ? 1 : 3));
            }
        break;
    case 1:  // a fallen leaf and its shadow
        shadow(c, 17, 17, 5, 3);
        leaf(c, 15, 15, LEAF);
        break;
    default:  // a cluster of small pale mushrooms
        for (auto [x, y, r] : {std::tuple{13, 16, 3}, {19, 14, 2}, {18, 19, 2}}) {
            shadow(c, x + 1, y + 2, r + 1, r);
            for (int i = 1; i <= r; ++i) c.set(x, y + i, CREAM + 6);
            ball(c, x, y, r, r - 1 > 0 ? r - 1 : 1, RED, 3, 6);
            c.set(x - 1, y - 1, CREAM + 7);
        }
        break;
    }
    return c;
}

}  // namespace

void make_tile_details(const std::string& dir) {
    std::vector<Canvas> frames(TILE_DETAIL_FRAMES, Canvas(32, 32, 0));
    for (int v = 0; v < TILE_DETAILS[0].variants; ++v) frames[TILE_DETAILS[0].first_frame + v] = sky_variant(v);
    for (int v = 0; v < TILE_DETAILS[1].variants; ++v) frames[TILE_DETAILS[1].first_frame + v] = wax_variant(v);
    for (int v = 0; v < TILE_DETAILS[2].variants; ++v) {
        frames[TILE_DETAILS[2].first_frame + v] = bark_variant(v);
        frames[TILE_DETAILS[3].first_frame + v] = rotate_90_clockwise(bark_variant(v));
    }
    save_bmp(dir, "FloorDetail.BMP", sheet(frames, TILE_DETAIL_COLUMNS));
}

}  // namespace art
