// The global World, its construction and reset, and the tile map it plays on.
#include "world/world.h"

#include <cstring>
#include <new>

#include "base/game_random.h"

int32_t tile_map[MAP_ROWS][MAP_COLUMNS];
World world(32, 32);

World::World(int tile_w, int tile_h) {
    scroll_x = 0;
    scroll_y = 0;
    tile_width = tile_w;
    tile_height = tile_h;
    view_cols = 640 / tile_w;
    view_rows = 480 / tile_h;
    max_scroll_x = (MAP_COLUMNS - view_cols) * tile_w;
    max_scroll_y = (MAP_ROWS - view_rows) * tile_h;
}

int32_t tile_at(int row, int col) {
    if (row < 0 || row >= MAP_ROWS || col < 0 || col >= MAP_COLUMNS) return TILE_SET_FRAMES - 1;
    return tile_map[row][col];
}

bool one_in(int n) { return n > 0 && (game_rand() + 1) % n == 1; }

void reset_world() {
    // Rebuild the world in place: sprites free their frames, the speech box its lines.
    world.~World();
    new (&world) World(32, 32);
    std::memset(tile_map, 0, sizeof tile_map);
}
