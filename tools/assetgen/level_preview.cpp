// Writes pictures of whole levels for designers: the map at 4 pixels a tile with the
// starts and story zones marked, and full-size views of the start, the jail, the arena and
// each set piece the level plan names.
#include <algorithm>

#include "canvas.h"
#include "generators.h"
#include "level_map.h"
#include "level_tiles.h"
#include "world/level_places.h"

namespace art {

namespace {

constexpr int SCALE = 4;

// Each tile shrunk to 4 x 4 by taking one pixel from the middle of each 8 x 8 block.
Canvas small_tile(const Canvas& sheet, int t) {
    Canvas out(SCALE, SCALE);
    int ox = (t % 10) * 32, oy = (t / 10) * 32;
    for (int y = 0; y < SCALE; ++y)
        for (int x = 0; x < SCALE; ++x) out.set(x, y, sheet.at(ox + x * 8 + 4, oy + y * 8 + 4));
    return out;
}

void mark(Canvas& c, int world_x, int world_y, int size, int index) {
    rect_outline(c, world_x * SCALE / 32, world_y * SCALE / 32, std::max(2, size * SCALE / 32), std::max(2, size * SCALE / 32), index);
}

void zone_outline(Canvas& c, const StoryZone& z, int index) {
    const int x0 = std::max(0, static_cast<int>(z.x_min)), y0 = std::max(0, static_cast<int>(z.y_min));
    // The hero's box reaches 31 further.
    const int x1 = static_cast<int>(std::min(6399.0f, z.x_max + 31)), y1 = static_cast<int>(std::min(6399.0f, z.y_max + 31));
    rect_outline(c, x0 * SCALE / 32, y0 * SCALE / 32, (x1 - x0) * SCALE / 32, (y1 - y0) * SCALE / 32, index);
}

// The 640 x 480 view a player sees with its top-left corner at world pixel (x, y).
Canvas view(const LevelMap& m, const Canvas& sheet, int x, int y) {
    x = std::clamp(x, 0, 5760);
    y = std::clamp(y, 0, 5920);
    Canvas out(640, 480);
    for (int py = 0; py < 480; ++py)
        for (int px = 0; px < 640; ++px) {
            int wx = x + px, wy = y + py;
            int t = m.at(wx / 32, wy / 32);
            out.pixels[py * 640 + px] = sheet.at((t % 10) * 32 + wx % 32, (t / 10) * 32 + wy % 32);
        }
    return out;
}

}  // namespace

void make_level_previews(const std::string& dir) {
    Canvas sheet = build_tile_sheet();
    save_bmp(dir, "FloorMap.BMP", sheet);
    for (int n = 1; n <= 3; ++n) {
        LevelMap m = build_level(n);
        Canvas c(MAP_CELLS * SCALE, MAP_CELLS * SCALE);
        for (int r = 0; r < MAP_CELLS; ++r)
            for (int col = 0; col < MAP_CELLS; ++col) paste(c, small_tile(sheet, m.at(col, r)), col * SCALE, r * SCALE);
        const StoryZone& completion = completion_zone(n);
        zone_outline(c, boss_zone(n), ORANGE + 6);
        zone_outline(c, completion, LIME + 7);
        for (const Spot& s : m.moles) mark(c, s.x, s.y, 32, MOLE + 1);
        for (const Spot& s : m.pigs) mark(c, s.x, s.y, 32, ROSE + 5);
        for (const Spot& s : m.wasps) mark(c, s.x, s.y, 32, GOLD + 6);
        mark(c, m.hero.x, m.hero.y, 32, WHITE);
        mark(c, m.boss.x, m.boss.y, 64, RED + 4);
        std::string name = "Level" + std::to_string(n);
        save_bmp(dir, name + "_preview.bmp", c);
        save_bmp(dir, name + "_start.bmp", view(m, sheet, m.hero.x - 200, m.hero.y - 200));
        save_bmp(dir, name + "_jail.bmp", view(m, sheet, static_cast<int>(completion.x_min + completion.x_max) / 2 - 320, static_cast<int>(completion.y_max) - 200));
        save_bmp(dir, name + "_arena.bmp", view(m, sheet, m.boss.x - 288, m.boss.y - 200));
        for (const Sight& s : m.sights) save_bmp(dir, name + "_" + s.name + ".bmp", view(m, sheet, s.col * 32 - 304, s.row * 32 - 224));
    }
}

}  // namespace art
