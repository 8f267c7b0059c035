// The solid-tile test, knock-back, the shift of world objects under a scrolling view, and the
// drawing of the visible tiles.
#include "world/world.h"

#include <cmath>

#include "base/play_mode.h"
#include "world/tile_detail.h"

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
    // Against its facing, it is pushed the opposite way; after a stop it steps back toward where
    // it came from, as any push does.
    if (direction == KNOCK_BACK_AGAINST_FACING) {
        if (!is_direction(facing(*sprite))) return;
        direction = opposite(facing(*sprite));
    }
    if (!is_direction(direction)) return;
    const Direction way = direction_from_code(direction);
    float* axis = direction_dx(way) != 0 ? &sprite->x : &sprite->y;
    const float step = static_cast<float>(direction_dx(way) + direction_dy(way));  // pixels per step of the push
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

namespace {

// The cells a map draw under the current scroll shows: rows r0..r1, columns c0..c1, the first
// at screen (sx, sy). The scroll is kept inside the map first, as every map draw does.
struct ViewCells {
    int r0, r1, c0, c1, sx, sy;
};

ViewCells clamp_and_find_view(World& w) {
    if (w.scroll_x < 0) w.scroll_x = 0;
    if (w.scroll_x > w.max_scroll_x) w.scroll_x = w.max_scroll_x;
    if (w.scroll_y < 0) w.scroll_y = 0;
    if (w.scroll_y > w.max_scroll_y) w.scroll_y = w.max_scroll_y;
    const int tw = w.tile_width, th = w.tile_height;
    ViewCells v{};
    v.c0 = w.scroll_x / tw, v.r0 = w.scroll_y / th;
    v.c1 = v.c0 + w.view_cols - 1, v.r1 = v.r0 + w.view_rows - 1;
    v.sx = -(w.scroll_x % tw), v.sy = -(w.scroll_y % th);
    if (v.sx != 0) ++v.c1;
    if (v.sy != 0) ++v.r1;
    if (v.c1 >= MAP_COLUMNS) v.c1 = MAP_COLUMNS - 1;
    if (v.r1 >= MAP_ROWS) v.r1 = MAP_ROWS - 1;
    return v;
}

// Draws the tile of the map cell (row, col) at a screen position; a tile number with no picture
// leaves it empty. Enhanced play may draw one of the tile's detail variants in its place.
void draw_cell(Sprite* tiles, int32_t tile, int row, int col, int x, int y) {
    if (tile < 0 || tile >= tiles->num_frames || tile >= SPRITE_MAX_FRAMES) return;
    if (enhanced_play() && tiles == &world.tile_sprite) {
        const int32_t detail = tile_detail_frame(tile, row, col);
        if (detail >= 0 && detail < tile_detail_sprite.num_frames && tile_detail_sprite.frames[detail]) {
            tiles = &tile_detail_sprite;
            tile = detail;
        }
    }
    tiles->x = static_cast<float>(x);
    tiles->y = static_cast<float>(y);
    tiles->curr_frame = tile;
    draw_sprite(tiles, &display.back_surface);
}

}  // namespace

bool World::draw_tile_map(Sprite* tiles) {
    const ViewCells v = clamp_and_find_view(*this);
    if (!tiles) return true;
    for (int row = v.r0, y = v.sy; row <= v.r1; ++row, y += tile_height)
        for (int col = v.c0, x = v.sx; col <= v.c1; ++col, x += tile_width) draw_cell(tiles, tile_map[row][col], row, col, x, y);
    return true;
}

bool capture_tile_view(World& w, TileView* view) {
    const ViewCells v = clamp_and_find_view(w);
    const int rows = v.r1 - v.r0 + 1, cols = v.c1 - v.c0 + 1;
    if (rows > TileView::MAX_ROWS || cols > TileView::MAX_COLS) return false;
    view->screen_x = v.sx, view->screen_y = v.sy;
    view->rows = rows, view->cols = cols;
    view->first_row = v.r0, view->first_col = v.c0;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) view->tiles[r][c] = tile_map[v.r0 + r][v.c0 + c];
    return true;
}

void draw_tile_view(const TileView& view, Sprite* tiles) {
    if (!tiles) return;
    const World& w = world;
    for (int r = 0, y = view.screen_y; r < view.rows; ++r, y += w.tile_height)
        for (int c = 0, x = view.screen_x; c < view.cols; ++c, x += w.tile_width) draw_cell(tiles, view.tiles[r][c], view.first_row + r, view.first_col + c, x, y);
}

void World::owe_tile_map() {
    clamp_and_find_view(*this);
    tile_map_owed = true;
}

void World::pay_tile_map() {
    if (!tile_map_owed) return;
    tile_map_owed = false;
    if (!tile_map_covers_screen()) clear_back_surface();
    draw_tile_map(&tile_sprite);
}

bool World::tile_map_covers_screen() {
    TileView view;
    return capture_tile_view(*this, &view) && tile_view_covers_screen(*this, view);
}

bool tile_view_covers_screen(const World& w, const TileView& view) {
    const Sprite& tiles = w.tile_sprite;
    if (!(tiles.attr & SPRITE_ATTR_VISIBLE) || tiles.width != w.tile_width || tiles.height != w.tile_height) return false;
    if (view.screen_x > 0 || view.screen_y > 0 || view.screen_x + view.cols * w.tile_width < display.screen_width ||
        view.screen_y + view.rows * w.tile_height < display.screen_height)
        return false;
    for (int r = 0; r < view.rows; ++r)
        for (int c = 0; c < view.cols; ++c) {
            const int32_t tile = view.tiles[r][c];
            if (tile < 0 || tile >= tiles.num_frames || tile >= SPRITE_MAX_FRAMES) return false;
            const Surface* frame = tiles.frames[tile];
            if (!frame || !frame->opaque) return false;
        }
    return true;
}
