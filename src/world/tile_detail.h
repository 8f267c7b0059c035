// Enhanced play breaks up wide plain stretches of the Great Tree (its open sky, the hive's wax,
// the bark of its limbs) with variants of the plain tile, drawn from "FloorDetail.BMP". Which
// cells show a variant depends only on where they are, so the same place always looks the same;
// the map itself, and so play, is untouched.
#pragma once
#include <cstdint>

#include "graphics/sprite.h"

struct TileDetail {
    int32_t tile;  // the plain tile in the map's tile set
    int32_t first_frame;  // its variants' first frame in the detail sheet
    int32_t variants;
    int32_t one_in;  // about one cell in this many shows a variant
};

// The sheet holds the variants of each tile in this order, ten frames to a row.
constexpr TileDetail TILE_DETAILS[] = {
    {63, 0, 4, 5},  // the open sky between the limbs
    {18, 4, 4, 4},  // the hive's wax floor
    {20, 8, 3, 5},  // bark, grain left to right
    {21, 11, 3, 5},  // bark, grain up and down
};
constexpr int TILE_DETAIL_FRAMES = 14;
constexpr int TILE_DETAIL_COLUMNS = 10;

// A well-stirred number for a map cell.
constexpr uint32_t cell_hash(int row, int col) {
    uint32_t h = static_cast<uint32_t>(row) * 0x9E3779B1u ^ static_cast<uint32_t>(col) * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return h;
}

// The detail sheet's frame for the cell (row, col) holding `tile`, or -1 for the plain tile.
constexpr int32_t tile_detail_frame(int32_t tile, int row, int col) {
    for (const TileDetail& d : TILE_DETAILS) {
        if (d.tile != tile) continue;
        const uint32_t h = cell_hash(row, col);
        if (h % static_cast<uint32_t>(d.one_in) != 0) return -1;
        return d.first_frame + static_cast<int32_t>((h / static_cast<uint32_t>(d.one_in)) % static_cast<uint32_t>(d.variants));
    }
    return -1;
}

extern Sprite tile_detail_sprite;  // "FloorDetail.BMP", 32 x 32 frames

// A picture that cannot be read leaves the sprite blank, and the plain tiles are drawn.
void load_tile_details();
