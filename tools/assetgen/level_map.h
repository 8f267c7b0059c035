// A level under construction: a 200 x 200 grid of tiles and terrain kinds, the shapes that
// level plans are written in, and the pass that turns terrain kinds into decorated tiles.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "level_tiles.h"

namespace art {

constexpr int MAP_CELLS = 200;  // tiles across and down
constexpr int CELL_PIXELS = 32;

// Terrain kinds that `finish_level` turns into tiles by looking at neighbours and noise.
enum Terrain : int {
    K_FOREST = 100,  // trees along the edges, closed canopy inside
    K_MEADOW,  // grass with tufts and flowers
    K_WATER,  // open water with shores where it meets land
    K_PATH,  // dirt track with pebbles and worn edges
    K_BRANCH,  // bark walkway of the Great Tree
    K_HIVE,  // wax floor with spilt honey
    K_FIELD,  // ploughed field with sprouting rows
    K_WOODS_FLOOR,  // shady ground under trees, with mushrooms
    K_SAND,  // beach and dry sand
    K_WAXWALL,  // hive wall with drips
    K_TRUNK,  // bark wall with knots
    K_CLIFF,  // rock: a face where it looks down on floor, plateau elsewhere
    K_FORT,  // fort wall: its face where it looks down on floor, walkway elsewhere
    K_SKY,  // the drop between branches, with leaves fringing the branches
    K_FOLIAGE,  // a mass of leaves between the branches
    K_CLOUD,  // a bank of cloud far below the branches
};

struct Spot {
    int x = 0, y = 0;  // world pixels
};

// A set piece worth a full-size look in the preview: its name and the tile it is centred on.
struct Sight {
    std::string name;
    int col = 0, row = 0;
};

struct LevelMap {
    int number = 0;
    std::array<int, MAP_CELLS * MAP_CELLS> cells{};
    Spot hero, boss;
    std::vector<Spot> moles, pigs, wasps;
    std::vector<Sight> sights;

    int at(int col, int row) const;  // solid forest outside the map
    void set(int col, int row, int value);
};

// Shapes. Rectangles and corners are inclusive tile columns and rows.
void rect(LevelMap& m, int c0, int r0, int c1, int r1, int value);
// Only cells currently holding `where` change.
void rect_over(LevelMap& m, int c0, int r0, int c1, int r1, int where, int value);
// An ellipse whose edge wanders by up to `wobble` tiles, deterministic in `seed`.
void blob(LevelMap& m, int cx, int cy, int rx, int ry, int value, double wobble, unsigned seed);
// A track through the given corners, drawn one straight leg at a time (across, then down)
// with a square brush `width` tiles wide.
void track(LevelMap& m, const std::vector<std::pair<int, int>>& corners, int width, int value);
// A straight band from one cell to another at any slant, with a square brush `width`
// tiles wide (a slanting band steps like a staircase and stays passable).
void limb(LevelMap& m, int c0, int r0, int c1, int r1, int width, int value);
// A hollow box `thick` tiles thick.
void box(LevelMap& m, int c0, int r0, int c1, int r1, int thick, int value);
// A river flowing down from row r0 to r1, `width` tiles wide, its middle swinging `swing`
// tiles either side of column c over every `wavelength` rows.
void river(LevelMap& m, int c, int r0, int r1, int width, double swing, double wavelength);
// Planks across whatever water lies in the rectangle (boards running left to right, or up
// and down when `upright`).
void bridge(LevelMap& m, int c0, int r0, int c1, int r1, bool upright = false);
// A jail house: walls of `wall` one tile thick around a flagstone floor.
void jail(LevelMap& m, int c0, int r0, int c1, int r1, int wall);
// Scatters single obstacles over cells holding `where`, about `per_mille` of them, each
// with two tiles of open floor all round so that no passage ever narrows.
void scatter(LevelMap& m, int c0, int r0, int c1, int r1, int where, int value, int per_mille, unsigned seed);

// Enemies: places `count` of them on floor reachable from the hero's start, spread over
// the given rectangles in turn, never within `keep_away` tiles of the hero's start.
struct Area {
    int c0, r0, c1, r1;
};
void place_enemies(const LevelMap& m, std::vector<Spot>& out, int count, const std::vector<Area>& areas, unsigned seed);

// Resolves every terrain kind into tiles, with shores, edges and deterministic variety.
void finish_level(LevelMap& m);

// Which floor cells the hero can walk to from his start (cell by cell: a hero box of one
// cell aligned to the grid passes wherever floor cells touch side to side).
std::vector<unsigned char> reachable_cells(const LevelMap& m);

// An empty level `number` (1..3) with the hero's and the boss's starts from the level's places.
LevelMap level_map_start(int number);

// The three levels, each described by its own plan.
LevelMap build_level_1();
LevelMap build_level_2();
LevelMap build_level_3();
LevelMap build_level(int number);

// The files of a level as the game reads them.
std::string tile_map_text(const LevelMap& m);
std::string enemy_list_text(const std::vector<Spot>& spots);

}  // namespace art
