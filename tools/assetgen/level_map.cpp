// Shapes for level plans, enemy placement and the pass that dresses terrain kinds as tiles.
#include "level_map.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <cstdio>
#include <stdexcept>

#include "canvas.h"
#include "world/level_places.h"

namespace art {

int LevelMap::at(int col, int row) const {
    if (col < 0 || row < 0 || col >= MAP_CELLS || row >= MAP_CELLS) return K_FOREST;
    return cells[row * MAP_CELLS + col];
}

void LevelMap::set(int col, int row, int value) {
    if (col < 0 || row < 0 || col >= MAP_CELLS || row >= MAP_CELLS) return;
    cells[row * MAP_CELLS + col] = value;
}

void rect(LevelMap& m, int c0, int r0, int c1, int r1, int value) {
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) m.set(c, r, value);
}

void rect_over(LevelMap& m, int c0, int r0, int c1, int r1, int where, int value) {
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c)
            if (m.at(c, r) == where) m.set(c, r, value);
}

void blob(LevelMap& m, int cx, int cy, int rx, int ry, int value, double wobble, unsigned seed) {
    int reach_x = rx + static_cast<int>(wobble) + 1, reach_y = ry + static_cast<int>(wobble) + 1;
    for (int r = cy - reach_y; r <= cy + reach_y; ++r)
        for (int c = cx - reach_x; c <= cx + reach_x; ++c) {
            double dx = c - cx, dy = r - cy;
            double angle = std::atan2(dy, dx);
            // The wobble follows the angle around the centre, so the outline stays one piece.
            double w = (smooth_noise(angle * 3.0 + 20.0, 7.0, 1.0, seed) - 0.5) * 2.0 * wobble;
            double ex = dx / (rx + w), ey = dy / (ry + w);
            if (ex * ex + ey * ey <= 1.0) m.set(c, r, value);
        }
}

void track(LevelMap& m, const std::vector<std::pair<int, int>>& corners, int width, int value) {
    int lo = -(width - 1) / 2, hi = width / 2;
    auto stamp = [&](int c, int r) { rect(m, c + lo, r + lo, c + hi, r + hi, value); };
    for (size_t i = 0; i + 1 < corners.size(); ++i) {
        auto [c0, r0] = corners[i];
        auto [c1, r1] = corners[i + 1];
        int c = c0, r = r0;
        stamp(c, r);
        while (c != c1) {
            c += c1 > c ? 1 : -1;
            stamp(c, r);
        }
        while (r != r1) {
            r += r1 > r ? 1 : -1;
            stamp(c, r);
        }
    }
}

void limb(LevelMap& m, int c0, int r0, int c1, int r1, int width, int value) {
    int lo = -(width - 1) / 2, hi = width / 2;
    int steps = std::max(std::abs(c1 - c0), std::abs(r1 - r0));
    for (int s = 0; s <= steps; ++s) {
        int c = steps ? c0 + static_cast<int>(std::lround(double(c1 - c0) * s / steps)) : c0;
        int r = steps ? r0 + static_cast<int>(std::lround(double(r1 - r0) * s / steps)) : r0;
        rect(m, c + lo, r + lo, c + hi, r + hi, value);
    }
}

void box(LevelMap& m, int c0, int r0, int c1, int r1, int thick, int value) {
    rect(m, c0, r0, c1, r0 + thick - 1, value);
    rect(m, c0, r1 - thick + 1, c1, r1, value);
    rect(m, c0, r0, c0 + thick - 1, r1, value);
    rect(m, c1 - thick + 1, r0, c1, r1, value);
}

void river(LevelMap& m, int c, int r0, int r1, int width, double swing, double wavelength) {
    for (int r = r0; r <= r1; ++r) {
        int mid = c + static_cast<int>(std::lround(swing * std::sin(2 * std::numbers::pi * r / wavelength)));
        rect(m, mid - (width - 1) / 2, r, mid + width / 2, r, K_WATER);
    }
}

void bridge(LevelMap& m, int c0, int r0, int c1, int r1, bool upright) {
    rect_over(m, c0, r0, c1, r1, K_WATER, upright ? T_PLANKS_V : T_PLANKS_H);
}

void jail(LevelMap& m, int c0, int r0, int c1, int r1, int wall) {
    rect(m, c0, r0, c1, r1, T_JAIL_FLOOR);
    box(m, c0, r0, c1, r1, 1, wall);
}

namespace {

bool solid_value(int v) {
    if (v >= 100)
        return v == K_FOREST || v == K_WATER || v == K_WAXWALL || v == K_TRUNK || v == K_CLIFF || v == K_FORT || v == K_SKY || v == K_FOLIAGE || v == K_CLOUD;
    return v > LAST_FLOOR;
}

bool floor_value(int v) { return !solid_value(v); }

}  // namespace

void scatter(LevelMap& m, int c0, int r0, int c1, int r1, int where, int value, int per_mille, unsigned seed) {
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) {
            if (m.at(c, r) != where) continue;
            if (static_cast<int>(noise(c, r, seed) % 1000) >= per_mille) continue;
            bool clear = true;
            for (int dr = -2; dr <= 2 && clear; ++dr)
                for (int dc = -2; dc <= 2 && clear; ++dc)
                    if (m.at(c + dc, r + dr) != where) clear = false;
            if (clear) m.set(c, r, value);
        }
}

LevelMap level_map_start(int number) {
    LevelMap m;
    m.number = number;
    const LevelPlaces& places = LEVEL_PLACES[number - 1];
    m.hero = {static_cast<int>(places.hero_start.x), static_cast<int>(places.hero_start.y)};
    m.boss = {static_cast<int>(places.boss_start.x), static_cast<int>(places.boss_start.y)};
    return m;
}

std::vector<unsigned char> reachable_cells(const LevelMap& m) {
    std::vector<unsigned char> seen(MAP_CELLS * MAP_CELLS, 0);
    std::vector<int> queue;
    int start_c = m.hero.x / CELL_PIXELS, start_r = m.hero.y / CELL_PIXELS;
    if (!floor_value(m.at(start_c, start_r))) return seen;
    seen[start_r * MAP_CELLS + start_c] = 1;
    queue.push_back(start_r * MAP_CELLS + start_c);
    for (size_t head = 0; head < queue.size(); ++head) {
        int c = queue[head] % MAP_CELLS, r = queue[head] / MAP_CELLS;
        const int dc[4] = {1, -1, 0, 0}, dr[4] = {0, 0, 1, -1};
        for (int k = 0; k < 4; ++k) {
            int nc = c + dc[k], nr = r + dr[k];
            if (nc < 0 || nr < 0 || nc >= MAP_CELLS || nr >= MAP_CELLS) continue;
            int i = nr * MAP_CELLS + nc;
            if (seen[i] || !floor_value(m.cells[i])) continue;
            seen[i] = 1;
            queue.push_back(i);
        }
    }
    return seen;
}

void place_enemies(const LevelMap& m, std::vector<Spot>& out, int count, const std::vector<Area>& areas, unsigned seed) {
    std::vector<unsigned char> reach = reachable_cells(m);
    int hero_c = m.hero.x / CELL_PIXELS, hero_r = m.hero.y / CELL_PIXELS;
    // No two enemies of any kind start within three tiles of each other.
    auto taken = [&](int c, int r) {
        for (const std::vector<Spot>* list : {&m.moles, &m.pigs, &m.wasps, static_cast<const std::vector<Spot>*>(&out)})
            for (const Spot& s : *list)
                if (std::abs(s.x / CELL_PIXELS - c) < 3 && std::abs(s.y / CELL_PIXELS - r) < 3) return true;
        return false;
    };
    auto in_zone = [&](int c, int r) {
        // Keep enemies out of the story zones so they never start on top of an event.
        const StoryZone& encounter = boss_zone(m.number);
        const StoryZone& completion = completion_zone(m.number);
        for (int dy = 0; dy < 32; dy += 31)
            for (int dx = 0; dx < 32; dx += 31)
                if (encounter.contains(c * 32 + dx, r * 32 + dy) || completion.contains(c * 32 + dx, r * 32 + dy))
                    return true;
        return false;
    };
    int placed = 0;
    for (int attempt = 0; placed < count && attempt < count * 400; ++attempt) {
        const Area& a = areas[static_cast<size_t>(attempt) % areas.size()];
        int c = a.c0 + static_cast<int>(noise(attempt, 1, seed) % static_cast<uint32_t>(a.c1 - a.c0 + 1));
        int r = a.r0 + static_cast<int>(noise(attempt, 2, seed) % static_cast<uint32_t>(a.r1 - a.r0 + 1));
        if (c < 1 || r < 1 || c >= MAP_CELLS - 1 || r >= MAP_CELLS - 1) continue;
        if (!reach[r * MAP_CELLS + c]) continue;
        if (std::abs(c - hero_c) < 12 && std::abs(r - hero_r) < 10) continue;
        if (taken(c, r) || in_zone(c, r)) continue;
        out.push_back({c * CELL_PIXELS, r * CELL_PIXELS});
        ++placed;
    }
    if (placed < count) throw std::runtime_error("level " + std::to_string(m.number) + ": no room for all enemies");
}

namespace {

// Bridges count as water here, so the water beside a bridge shows no shore.
bool is_water(int v) { return v == K_WATER || (v >= T_WATER && v <= T_SHORE_SE) || v == T_PLANKS_H || v == T_PLANKS_V; }

int pick(int c, int r, unsigned seed, int range) { return static_cast<int>(noise(c, r, seed) % static_cast<uint32_t>(range)); }

int dress(const LevelMap& m, int c, int r) {
    int v = m.at(c, r);
    unsigned s = static_cast<unsigned>(m.number) * 7919u;
    // Patches: a slow noise field decides where flowers or clover gather.
    double patch = smooth_noise(c, r, 6.0, s + 11);
    switch (v) {
    case K_FOREST: {
        bool edge = false;
        for (int dr = -1; dr <= 1; ++dr)
            for (int dc = -1; dc <= 1; ++dc)
                if (floor_value(m.at(c + dc, r + dr))) edge = true;
        if (!edge) return T_CANOPY;
        int k = pick(c, r, s + 1, 10);
        return k < 5 ? T_OAK : k < 9 ? T_PINE : T_BUSH;
    }
    case K_MEADOW: {
        int k = pick(c, r, s + 2, 100);
        if (patch > 0.68 && k < 45) return k < 22 ? T_FLOWERS_YELLOW : T_FLOWERS_RED;
        if (patch < 0.3 && k < 40) return T_CLOVER;
        if (k < 8) return T_FLOWERS_YELLOW;
        if (k < 26) return T_GRASS_TUFTS;
        return T_GRASS;
    }
    case K_PATH: {
        int grass_sides = 0;
        const int dc[4] = {1, -1, 0, 0}, dr[4] = {0, 0, 1, -1};
        for (int k = 0; k < 4; ++k) {
            int n = m.at(c + dc[k], r + dr[k]);
            if (n != K_PATH && n != T_DIRT && n != T_DIRT_PEBBLES && n != T_DIRT_GRASSY) ++grass_sides;
        }
        int k = pick(c, r, s + 3, 100);
        if (grass_sides > 0 && k < 35) return T_DIRT_GRASSY;
        return k < 18 ? T_DIRT_PEBBLES : T_DIRT;
    }
    case K_SAND:
        return pick(c, r, s + 4, 100) < 15 ? T_SAND_SHELLS : T_SAND;
    case K_FIELD:
        return (r % 4 == 0 || pick(c, r, s + 5, 100) < 12) ? T_FIELD : T_FIELD_SPROUTS;
    case K_WOODS_FLOOR:
        return pick(c, r, s + 6, 100) < 10 ? T_MUSHROOMS : T_FOREST_FLOOR;
    case K_BRANCH: {
        int k = pick(c, r, s + 7, 100);
        if (patch > 0.62 && k < 55) return T_BARK_MOSSY;
        // The grain follows the limb: up and down where the branch runs longer that way.
        auto run = [&](int dc, int dr) {
            int n = 0;
            for (int i = -4; i <= 4; ++i) {
                int v = m.at(c + i * dc, r + i * dr);
                n += v != K_SKY && v != K_FOLIAGE && v != K_CLOUD;
            }
            return n;
        };
        return run(0, 1) > run(1, 0) && run(1, 0) <= 6 ? T_BARK_FLOOR_V : T_BARK_FLOOR_H;
    }
    case K_HIVE:
        return pick(c, r, s + 8, 1000) < 15 ? T_WAX_HONEY : T_WAX_FLOOR;
    case K_WAXWALL:
        return (!solid_value(m.at(c, r + 1)) && pick(c, r, s + 9, 100) < 40) ? T_WAX_DRIP : T_WAX_WALL;
    case K_TRUNK:
        return T_BARK_WALL;
    case K_CLIFF:
        return floor_value(m.at(c, r + 1)) ? T_CLIFF : T_CLIFF_TOP;
    case K_FORT:
        return floor_value(m.at(c, r + 1)) ? T_FORT_WALL : T_FORT_TOP;
    case K_FOLIAGE: {
        // Deep inside a mass of leaves the crowns close; its rim shows the drop between them.
        for (int dr = -1; dr <= 1; ++dr)
            for (int dc = -1; dc <= 1; ++dc)
                if (m.at(c + dc, r + dr) != K_FOLIAGE) return T_LEAVES;
        return T_CANOPY;
    }
    case K_CLOUD:
        // A bank of cloud breaks up into loose puffs, so it shows no grid from above.
        // Thickest in the middle of the bank, thinning to single puffs at its edges.
        return pick(c, r, s + 14, 100) < (m.at(c, r - 2) == K_CLOUD && m.at(c, r + 2) == K_CLOUD && m.at(c - 2, r) == K_CLOUD && m.at(c + 2, r) == K_CLOUD ? 60 : 25)
                   ? T_CLOUD
                   : T_SKY;
    case K_SKY: {
        // Under the edge of a walkway the limb's flank shows, falling away into the drop.
        // The hive and the hall stand on limbs too, so under their walls the bark shows.
        int above = m.at(c, r - 1);
        bool walkway = floor_value(above) && above != T_ROPE_BRIDGE_H && above != T_ROPE_BRIDGE_V;
        if (walkway || above == K_WAXWALL) return T_BRANCH_SIDE;
        bool near_floor = false;
        for (int dr = -1; dr <= 1; ++dr)
            for (int dc = -1; dc <= 1; ++dc)
                if (floor_value(m.at(c + dc, r + dr))) near_floor = true;
        return (near_floor && pick(c, r, s + 13, 100) < 30) ? T_LEAVES : T_SKY;
    }
    case K_WATER: {
        bool n = !is_water(m.at(c, r - 1)), so = !is_water(m.at(c, r + 1));
        bool w = !is_water(m.at(c - 1, r)), e = !is_water(m.at(c + 1, r));
        if (n && w && !so && !e) return T_SHORE_NW;
        if (n && e && !so && !w) return T_SHORE_NE;
        if (so && w && !n && !e) return T_SHORE_SW;
        if (so && e && !n && !w) return T_SHORE_SE;
        if (n && !so) return T_SHORE_N;
        if (so && !n) return T_SHORE_S;
        if (w && !e) return T_SHORE_W;
        if (e && !w) return T_SHORE_E;
        return pick(c, r, s + 12, 100) < 6 ? T_WATER_LILY : T_WATER;
    }
    default:
        return v;
    }
}

}  // namespace

void finish_level(LevelMap& m) {
    // Water only a tile thick cannot show two shores; widen the land into it instead.
    for (int pass = 0; pass < 2; ++pass)
        for (int r = 0; r < MAP_CELLS; ++r)
            for (int c = 0; c < MAP_CELLS; ++c) {
                if (m.at(c, r) != K_WATER) continue;
                bool thin_ns = !is_water(m.at(c, r - 1)) && !is_water(m.at(c, r + 1));
                bool thin_we = !is_water(m.at(c - 1, r)) && !is_water(m.at(c + 1, r));
                if (thin_ns || thin_we) m.set(c, r, K_FOREST);
            }
    LevelMap out = m;
    for (int r = 0; r < MAP_CELLS; ++r)
        for (int c = 0; c < MAP_CELLS; ++c) out.set(c, r, dress(m, c, r));
    // The outermost ring is always solid so nobody walks off the map.
    for (int i = 0; i < MAP_CELLS; ++i) {
        for (int e : {0, MAP_CELLS - 1}) {
            if (!solid_value(out.at(i, e))) out.set(i, e, T_CANOPY);
            if (!solid_value(out.at(e, i))) out.set(e, i, T_CANOPY);
        }
    }
    m.cells = out.cells;
}

std::string tile_map_text(const LevelMap& m) {
    std::string text;
    text.reserve(MAP_CELLS * MAP_CELLS * 3);
    for (int r = 0; r < MAP_CELLS; ++r) {
        for (int c = 0; c < MAP_CELLS; ++c) {
            int v = m.at(c, r);
            if (v < 0 || v >= TILE_COUNT)
                throw std::runtime_error("level " + std::to_string(m.number) + ": unresolved tile " + std::to_string(v));
            if (c) text += ' ';
            text += std::to_string(v);
        }
        text += '\n';
    }
    return text;
}

std::string enemy_list_text(const std::vector<Spot>& spots) {
    std::string text;
    for (const Spot& s : spots) text += std::to_string(s.x) + " " + std::to_string(s.y) + "\n";
    return text;
}

LevelMap build_level(int number) {
    if (number == 1) return build_level_1();
    if (number == 2) return build_level_2();
    return build_level_3();
}

}  // namespace art
