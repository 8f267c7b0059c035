// Writes FloorMap.BMP, the tile set of every level: floors 0..30, then solid tiles.
#include "canvas.h"
#include "generators.h"
#include "level_tile_paint.h"
#include "level_tiles.h"

namespace art {

Canvas build_tile_sheet() {
    std::vector<Canvas> tiles;
    for (int t = 0; t < TILE_COUNT; ++t) tiles.push_back(t <= LAST_FLOOR ? tilepaint::floor_tile(t) : tilepaint::solid_tile(t));
    return sheet(tiles, 10);
}

void make_tiles(const std::string& dir) { save_bmp(dir, "FloorMap.BMP", build_tile_sheet()); }

}  // namespace art
