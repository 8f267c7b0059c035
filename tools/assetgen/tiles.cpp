// Writes FloorMap.BMP, the tile set of every level.
#include "canvas.h"
#include "generators.h"
#include "level_tiles.h"

namespace art {

Canvas build_tile_sheet() {
    Canvas c(320, 224, GRASS + 4);
    for (int t = 0; t < TILE_COUNT; ++t) fill_rect(c, (t % 10) * 32, (t / 10) * 32, 32, 32, t <= LAST_FLOOR ? GRASS + 5 : STONE + 2);
    return c;
}

void make_tiles(const std::string& dir) { save_bmp(dir, "FloorMap.BMP", build_tile_sheet()); }

}  // namespace art
