// The tile numbers of FloorMap.BMP: 0..30 are floor, 31..69 solid, 53 the jail door.
#pragma once

namespace art {

struct Canvas;

enum Tile : int {
    // Floor: the hero walks on these.
    T_GRASS = 0,
    T_GRASS_TUFTS = 1,
    T_FLOWERS_YELLOW = 2,
    T_FLOWERS_RED = 3,
    T_DIRT = 4,
    T_DIRT_PEBBLES = 5,
    T_DIRT_GRASSY = 6,  // worn edge of a path, grass and dirt mixed
    T_SAND = 7,
    T_SAND_SHELLS = 8,
    T_PLANKS_H = 9,  // boards running left to right: bridges, decks
    T_JAIL_FLOOR = 10,  // flagstones; an opened jail door becomes this
    T_COBBLES = 11,
    T_SLABS = 12,  // large stone slabs of the fort
    T_FOREST_FLOOR = 13,
    T_CLOVER = 14,
    T_FIELD = 15,  // ploughed furrows
    T_FIELD_SPROUTS = 16,
    T_STRAW = 17,
    T_WAX_FLOOR = 18,
    T_WAX_HONEY = 19,
    T_BARK_FLOOR_H = 20,  // the top of a great branch, grain left to right
    T_BARK_FLOOR_V = 21,  // grain up and down
    T_BARK_MOSSY = 22,
    T_ROPE_BRIDGE_H = 23,
    T_ROPE_BRIDGE_V = 24,
    T_ARENA = 25,  // trampled earth ring of a boss arena
    T_CARPET = 26,
    T_PLANKS_V = 27,
    T_MUSHROOMS = 28,
    T_MUD = 29,  // a pigs' wallow of wet mud
    T_BOARDS = 30,  // indoor floorboards
    LAST_FLOOR = 30,

    // Solid: these stop the hero.
    T_OAK = 31,
    T_PINE = 32,
    T_CANOPY = 33,  // the closed crowns of a deep wood
    T_BUSH = 34,
    T_BOULDER = 35,
    T_WATER = 36,
    T_WATER_LILY = 37,
    T_SHORE_N = 38,  // water with land along its top edge
    T_SHORE_S = 39,
    T_SHORE_W = 40,
    T_SHORE_E = 41,
    T_SHORE_NW = 42,  // land along the top and left edges
    T_SHORE_NE = 43,
    T_SHORE_SW = 44,
    T_SHORE_SE = 45,
    T_CLIFF = 46,  // rock face seen from the south
    T_CLIFF_TOP = 47,
    T_FENCE_H = 48,
    T_FENCE_V = 49,
    T_FORT_WALL = 50,
    T_FORT_TOP = 51,  // the brick-paved walkway along the top of a fort wall
    T_TIMBER_WALL = 52,  // log wall of a cottage or barn, with a window
    T_JAIL_DOOR = 53,
    T_JAIL_WALL = 54,
    T_CLOUD = 55,  // a bank of cloud drifting far below the branches
    T_JAIL_BARS_PRISONER = 56,
    T_PRISONER_A = 57,  // a townsfolk rat in a shirt, on jail flagstones
    T_PRISONER_B = 58,  // a townsfolk rat in a dress
    T_WAX_WALL = 59,
    T_WAX_DRIP = 60,
    T_BARK_WALL = 61,  // the trunk of the Great Tree
    T_BRANCH_SIDE = 62,  // the flank of a limb falling away into the drop below it
    T_SKY = 63,  // the drop between branches
    T_LEAVES = 64,
    T_HAYSTACK = 65,
    T_CORN = 66,
    T_CRATES = 67,
    T_MOLEHILL = 68,
    T_ROOF = 69,
    TILE_COUNT = 70,
};

// Draws the whole tile set: ten 32 x 32 tiles to a row, seven rows (320 x 224).
Canvas build_tile_sheet();

}  // namespace art
