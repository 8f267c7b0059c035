// Start-up loading of the world's graphics: pool sizes, the order of the pool loads, the tile
// set's cells, the HUD pieces and pick-ups where they are placed, and the death cloud's puff.
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

// True when some pixel of the frame is not the transparent index 0.
bool has_picture(const Sprite& s, int frame) {
    for (uint8_t p : s.frames[frame]->pixels)
        if (p != 0) return true;
    return false;
}

}  // namespace

TEST_F(WorldAssets, PoolsHoldOneHundredAndTheFirstLevelIsNamed) {
    EXPECT_EQ(world.pools.mole_count, 100);
    EXPECT_EQ(world.pools.pig_count, 100);
    EXPECT_EQ(world.pools.wasp_count, 100);
    EXPECT_EQ(world.loaded_level, 1);
}

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

TEST_F(WorldAssets, HudPiecesAndPickUpsStartWhereTheyAreDrawn) {
    struct Expected {
        const Sprite* sprite;
        const char* name;
        int width, height, frames;
        uint32_t attr;
        float x, y;
    };
    const uint32_t one = SPRITE_ATTR_VISIBLE | SPRITE_ATTR_SINGLE_FRAME;
    const uint32_t multi = SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_FRAME;
    const Expected expected[] = {
        {&world.life_sprite, "life", 100, 32, 1, one, 10, 0},
        {&world.lifebar_sprite, "lifebar", 20, 32, 1, one, 100, 0},
        {&world.uisword_sprite, "uisword", 32, 32, 1, one, 300, 0},
        {&world.key_sprite, "key", 32, 32, 1, one, -40, -40},
        {&world.deathcloud_sprite, "deathcloud", 32, 32, 2,
         SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_ANIM | SPRITE_ATTR_ANIM_ONE_SHOT, 0, 0},
        {&world.uikey_sprite, "uikey", 32, 32, 2, multi, 600, 0},
        {&world.uibow_sprite, "uibow", 32, 32, 2, multi, 396, 0},
    };
    for (const Expected& e : expected) {
        const Sprite& s = *e.sprite;
        EXPECT_EQ(s.width, e.width) << e.name;
        EXPECT_EQ(s.height, e.height) << e.name;
        EXPECT_EQ(s.num_frames, e.frames) << e.name;
        EXPECT_EQ(s.attr & 0x1F, e.attr) << e.name;
        EXPECT_FLOAT_EQ(s.x, e.x) << e.name;
        EXPECT_FLOAT_EQ(s.y, e.y) << e.name;
        for (int f = 0; f < e.frames; ++f) EXPECT_TRUE(has_picture(s, f)) << e.name << " frame " << f;
    }
    // The cheese is hidden by the level start but keeps its place off the screen.
    EXPECT_FLOAT_EQ(world.cheese_sprite.x, -40);
    EXPECT_FLOAT_EQ(world.cheese_sprite.y, -40);
    EXPECT_EQ(world.cheese_sprite.num_frames, 1);

    // The two icons of the key and the bow lie side by side on the top row of their pictures.
    for (const auto& [sprite, file] : {std::pair{&world.uikey_sprite, "uikey.BMP"}, std::pair{&world.uibow_sprite, "uibow.BMP"}}) {
        BitmapFile icons;
        ASSERT_EQ(load_bitmap_file(&icons, file), 1);
        EXPECT_TRUE(frame_is_cell(*sprite, 0, icons, 0, 0)) << file;
        EXPECT_TRUE(frame_is_cell(*sprite, 1, icons, 32, 0)) << file;
        unload_bitmap_file(&icons);
    }
}

TEST_F(WorldAssets, TheDeathCloudPuffsOnceEveryFifthCall) {
    Sprite& cloud = world.deathcloud_sprite;
    set_sprite_animation(&cloud, 0);
    cloud.anim_state = 0;
    cloud.anim_counter = 0;
    std::vector<int> frames;
    for (int i = 0; i < 20; ++i) {
        animate_sprite(&cloud);
        frames.push_back(cloud.curr_frame);
    }
    // 0, 1, 0: a step on every fifth call; then it stays on its last frame, done.
    const std::vector<int> expected = {0, 0, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(frames, expected);
    EXPECT_EQ(cloud.anim_state, 1);
}
