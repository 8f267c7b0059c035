// Start-up loading of the world's graphics: the order of the pool loads and the tile set's cells.
#include "world_fixture.h"

using WorldAssets = LoadedWorld;

namespace {

// True when every pixel of `frame` equals the w x h cell of `bitmap` whose top-left is (px, py).
bool frame_is_cell(const Sprite& s, int frame, const BitmapFile& bitmap, int px, int py) {
    const Surface* f = s.frames[frame];
    if (!f) return false;
    const int bw = bitmap.info_header.biWidth;
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            if (f->pixels[static_cast<size_t>(y) * f->pitch + x] !=
                bitmap.buffer[static_cast<size_t>(py + y) * bw + px + x])
                return false;
    return true;
}

}  // namespace

TEST_F(WorldAssets, PoolsAreLoadedMolesThenWaspsThenPigs) {
    // Each slot draws its tick counters and speed from the one random sequence while it loads, so
    // the draws show the order of the loads. The fixture started the sequence afresh.
    reset_game_rand();
    int c1[3][POOL_SIZE], c2[3][POOL_SIZE], speed[3][POOL_SIZE];
    for (int kind = 0; kind < 3; ++kind)  // moles, wasps, pigs
        for (int i = 0; i < POOL_SIZE; ++i) {
            c1[kind][i] = game_rand() % 4;
            c2[kind][i] = game_rand() % 5;
            const int r = game_rand();
            speed[kind][i] = kind == 0 ? r % 3 : kind == 1 ? (r + 3) % 7 : (r + 3) % 5;
        }
    for (int i = 0; i < POOL_SIZE; ++i) {
        EXPECT_EQ(world.pools.moles[i].body.counter_1, c1[0][i]) << "mole " << i;
        EXPECT_EQ(world.pools.moles[i].body.counter_2, c2[0][i]) << "mole " << i;
        EXPECT_EQ(world.pools.moles[i].speed, speed[0][i]) << "mole " << i;
        EXPECT_EQ(world.pools.wasps[i].body.counter_1, c1[1][i]) << "wasp " << i;
        EXPECT_EQ(world.pools.wasps[i].speed, speed[1][i]) << "wasp " << i;
        EXPECT_EQ(world.pools.pigs[i].body.counter_2, c2[2][i]) << "pig " << i;
        EXPECT_EQ(world.pools.pigs[i].speed, speed[2][i]) << "pig " << i;
    }
}

TEST_F(WorldAssets, TheTileSetIsCutTenCellsToARow) {
    const Sprite& t = world.tile_sprite;
    EXPECT_EQ(t.num_frames, 70);
    EXPECT_EQ(t.width, 32);
    EXPECT_EQ(t.height, 32);
    EXPECT_EQ(t.attr & 0x1F, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_FRAME);
    BitmapFile floor;
    ASSERT_EQ(load_bitmap_file(&floor, "FloorMap.BMP"), 1);
    EXPECT_TRUE(frame_is_cell(t, 23, floor, 96, 64)) << "frame 23 is cell (3, 2)";
    EXPECT_TRUE(frame_is_cell(t, 9, floor, 288, 0));
    EXPECT_TRUE(frame_is_cell(t, 10, floor, 0, 32));
    EXPECT_TRUE(frame_is_cell(t, 69, floor, 288, 192)) << "the last of seven rows";
    unload_bitmap_file(&floor);
}
