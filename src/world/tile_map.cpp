// The solid-tile test, knock-back, the shift of world objects under a scrolling view, and the
// drawing of the visible tiles.
#include "world/world.h"

#include <cmath>

namespace {

// Screen positions this far out are nowhere near the map; they are treated as off it.
constexpr double FAR_OFF = 1.0e7;

// trunc(v) as a whole number, or `outside` when v is not a usable position.
int truncated_or(double v, int outside) {
    if (!(v > -FAR_OFF && v < FAR_OFF)) return outside;
    return static_cast<int>(v);
}

// The cell a sprite's top-left corner lies in, and whether it reaches into the next column/row.
struct CellSpan {
    int row, col;
    bool more_x, more_y;
    bool valid;  // false for positions that are not finite numbers
};

CellSpan span_of(const World& w, const Sprite* s) {
    CellSpan c{};
    const int tw = w.tile_width, th = w.tile_height;
    const int c0 = w.scroll_x / tw, r0 = w.scroll_y / th;
    const int ox = -(w.scroll_x % tw), oy = -(w.scroll_y % th);
    const double x = s->x, y = s->y;
    constexpr int OFF_MAP = -1000000;
    c.col = truncated_or(c0 + (x - ox) / tw, OFF_MAP);
    c.row = truncated_or(r0 + (y - oy) / th, OFF_MAP);
    const int tx = truncated_or(x, 0), ty = truncated_or(y, 0);
    c.more_x = (tx - ox) % tw != 0;
    c.more_y = (ty - oy) % th != 0;
    c.valid = c.col != OFF_MAP && c.row != OFF_MAP;
    return c;
}

}  // namespace

bool World::tile_blocked(const Sprite* sprite, int mode) const {
    if (!sprite) return false;
    const CellSpan c = span_of(*this, sprite);
    if (!c.valid) return true;
    const bool big = mode == TILE_TEST_BOSS;
    if (tile_is_solid(tile_at(c.row, c.col))) return true;
    if (c.more_x && tile_is_solid(tile_at(c.row, c.col + 1))) return true;
    if (big && c.more_x && tile_is_solid(tile_at(c.row, c.col + 2))) return true;
    if (c.more_y && tile_is_solid(tile_at(c.row + 1, c.col))) return true;
    if (big && c.more_y && tile_is_solid(tile_at(c.row + 2, c.col))) return true;
    if (c.more_x && c.more_y && tile_is_solid(tile_at(c.row + 1, c.col + 1))) return true;
    if (big && c.more_x && c.more_y && tile_is_solid(tile_at(c.row + 2, c.col + 2))) return true;
    return false;
}

void World::knock_back(Sprite* sprite, int mode, int direction) {
    if (!sprite) return;
    constexpr int MAX_STEPS = 32;
    float* axis = nullptr;
    float step = 0;  // pixels per step of the push
    switch (direction) {
    case FACING_UP:
        axis = &sprite->y, step = -1;
        break;
    case FACING_DOWN:
        axis = &sprite->y, step = 1;
        break;
    case FACING_LEFT:
        axis = &sprite->x, step = -1;
        break;
    case FACING_RIGHT:
        axis = &sprite->x, step = 1;
        break;
    case KNOCK_BACK_AGAINST_FACING:
        switch (sprite->aux_3) {
        case FACING_RIGHT:
            // Pushed left; after a stop it steps back toward where it came from.
            for (int i = 0; i < MAX_STEPS; ++i) {
                if (tile_blocked(sprite, mode)) {
                    sprite->x += 1;
                    return;
                }
                sprite->x -= 1;
            }
            return;
        case FACING_LEFT:
            for (int i = 0; i < MAX_STEPS; ++i) {
                if (tile_blocked(sprite, mode)) {
                    sprite->x -= 1;
                    return;
                }
                sprite->x += 1;
            }
            return;
        case FACING_DOWN:
            for (int i = 0; i < MAX_STEPS; ++i) {
                if (tile_blocked(sprite, mode)) {
                    sprite->y += 1;
                    return;
                }
                sprite->y -= 1;
            }
            return;
        case FACING_UP:
            for (int i = 0; i < MAX_STEPS; ++i) {
                if (tile_blocked(sprite, mode)) {
                    sprite->y -= 1;
                    return;
                }
                sprite->y += 1;
            }
            return;
        default:
            return;
        }
    default:
        return;
    }
    for (int i = 0; i < MAX_STEPS; ++i) {
        if (tile_blocked(sprite, mode)) {
            *axis -= step;  // one step back out of the wall
            return;
        }
        *axis += step;
    }
}

void World::shift_world_objects(int dx, int dy) {
    const float fx = static_cast<float>(dx), fy = static_cast<float>(dy);
    auto shift = [&](Sprite& s) {
        s.x += fx;
        s.y += fy;
    };
    for (int i = 0; i < pools.mole_count && i < POOL_SIZE; ++i)
        if (pools.moles[i].alive) shift(pools.moles[i].body);
    for (int i = 0; i < pools.wasp_count && i < POOL_SIZE; ++i)
        if (pools.wasps[i].alive) {
            shift(pools.wasps[i].body);
            shift(pools.wasps[i].stinger);
        }
    for (int i = 0; i < pools.pig_count && i < POOL_SIZE; ++i)
        if (pools.pigs[i].alive) shift(pools.pigs[i].body);
    shift(pools.mole_boss.body);
    shift(pools.swine_boss.body);
    shift(pools.wasp_boss.body);
    shift(key_sprite);
    shift(cheese_sprite);
    shift(player.arrow);
    shift(pools.swine_boss.spear);
    // King Vespro's stinger is in the world like every other projectile; left unshifted it
    // would slide along with the view while the hero walks.
    shift(pools.wasp_boss.stinger);
    shift(deathcloud_sprite);
}

bool World::draw_tile_map(Sprite* tiles) {
    if (scroll_x < 0) scroll_x = 0;
    if (scroll_x > max_scroll_x) scroll_x = max_scroll_x;
    if (scroll_y < 0) scroll_y = 0;
    if (scroll_y > max_scroll_y) scroll_y = max_scroll_y;
    if (!tiles) return true;
    const int tw = tile_width, th = tile_height;
    const int c0 = scroll_x / tw, r0 = scroll_y / th;
    int c1 = c0 + view_cols - 1, r1 = r0 + view_rows - 1;
    const int sx = -(scroll_x % tw), sy = -(scroll_y % th);
    if (sx != 0) ++c1;
    if (sy != 0) ++r1;
    if (c1 >= MAP_COLUMNS) c1 = MAP_COLUMNS - 1;
    if (r1 >= MAP_ROWS) r1 = MAP_ROWS - 1;
    int y = sy;
    for (int row = r0; row <= r1; ++row, y += th) {
        int x = sx;
        for (int col = c0; col <= c1; ++col, x += tw) {
            const int32_t tile = tile_map[row][col];
            // A tile number with no picture in the tile set leaves its cell empty.
            if (tile < 0 || tile >= tiles->num_frames || tile >= SPRITE_MAX_FRAMES) continue;
            tiles->x = static_cast<float>(x);
            tiles->y = static_cast<float>(y);
            tiles->curr_frame = tile;
            draw_sprite(tiles, &display.back_surface);
        }
    }
    return true;
}
