// Breadth-first search over the hero's positions: a position is a node when his 32 x 32
// box touches no solid tile, and each step is one of his 4-pixel moves.
#include "nav.h"

#include <algorithm>

#include "world/world.h"

namespace {

constexpr int WORLD_SIZE = MAP_COLUMNS * 32;

int floor_div(int a, int b) { return (a >= 0 ? a : a - b + 1) / b; }

}  // namespace

bool hero_fits(int x, int y) {
    if (x < 0 || y < 0 || x > WORLD_SIZE - HERO_SIZE || y > WORLD_SIZE - HERO_SIZE) return false;
    const int c0 = x / 32, c1 = (x + HERO_SIZE - 1) / 32, r0 = y / 32, r1 = (y + HERO_SIZE - 1) / 32;
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c)
            if (tile_is_solid(tile_at(r, c))) return false;
    return true;
}

bool build_field(NavField& f, int hero_x, int hero_y, const std::vector<HeroRect>& goals, const HeroRect& avoid,
                 bool stop_at_hero) {
    auto avoided = [&](int x, int y) { return x >= avoid.x0 && x <= avoid.x1 && y >= avoid.y0 && y <= avoid.y1; };
    f.rx = ((hero_x % HERO_STEP) + HERO_STEP) % HERO_STEP;
    f.ry = ((hero_y % HERO_STEP) + HERO_STEP) % HERO_STEP;
    f.cols = (WORLD_SIZE - HERO_SIZE - f.rx) / HERO_STEP + 1;
    f.rows = (WORLD_SIZE - HERO_SIZE - f.ry) / HERO_STEP + 1;
    f.dist.assign(static_cast<size_t>(f.cols) * f.rows, -1);
    f.queue.clear();
    f.ready = true;
    for (const HeroRect& g : goals) {
        // The goal's lattice columns and rows, inside the world.
        const int i0 = std::max(0, -floor_div(f.rx - g.x0, HERO_STEP));
        const int i1 = std::min(f.cols - 1, floor_div(g.x1 - f.rx, HERO_STEP));
        const int j0 = std::max(0, -floor_div(f.ry - g.y0, HERO_STEP));
        const int j1 = std::min(f.rows - 1, floor_div(g.y1 - f.ry, HERO_STEP));
        for (int j = j0; j <= j1; ++j)
            for (int i = i0; i <= i1; ++i) {
                const int32_t node = j * f.cols + i;
                if (f.dist[node] >= 0 || !hero_fits(f.rx + i * HERO_STEP, f.ry + j * HERO_STEP)) continue;
                f.dist[node] = 0;
                f.queue.push_back(node);
            }
    }
    if (f.queue.empty()) return false;
    const int hero_i = (hero_x - f.rx) / HERO_STEP, hero_j = (hero_y - f.ry) / HERO_STEP;
    const int32_t hero_node = hero_j * f.cols + hero_i;
    for (size_t head = 0; head < f.queue.size(); ++head) {
        const int32_t node = f.queue[head];
        if (stop_at_hero && node == hero_node) break;
        const int i = node % f.cols, j = node / f.cols;
        for (Direction d : DIRECTIONS) {
            const int ni = i + direction_dx(d), nj = j + direction_dy(d);
            if (ni < 0 || nj < 0 || ni >= f.cols || nj >= f.rows) continue;
            const int32_t next = nj * f.cols + ni;
            const int x = f.rx + ni * HERO_STEP, y = f.ry + nj * HERO_STEP;
            if (f.dist[next] >= 0 || !hero_fits(x, y) || avoided(x, y)) continue;
            f.dist[next] = f.dist[node] + 1;
            f.queue.push_back(next);
        }
    }
    return true;
}

int field_distance(const NavField& f, int x, int y) {
    if (!f.ready || ((x - f.rx) % HERO_STEP) != 0 || ((y - f.ry) % HERO_STEP) != 0) return -1;
    const int i = (x - f.rx) / HERO_STEP, j = (y - f.ry) / HERO_STEP;
    if (i < 0 || j < 0 || i >= f.cols || j >= f.rows) return -1;
    return f.dist[j * f.cols + i];
}

int field_step(const NavField& f, int x, int y, int prefer) {
    const int here = field_distance(f, x, y);
    if (here <= 0) return -1;
    int best = -1;
    for (Direction d : DIRECTIONS) {
        const int there = field_distance(f, x + direction_dx(d) * HERO_STEP, y + direction_dy(d) * HERO_STEP);
        if (there >= 0 && there < here && (best < 0 || d == prefer)) best = d;
    }
    return best;
}
