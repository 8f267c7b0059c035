// The world's tiles and geometry: the tile set's cells, the solid-tile test, knock-back, shifting under the view, and drawing the map and HUD.
#include <limits>
#include <tuple>
#include <utility>

#include "test_game.h"
#include "world/tile_detail.h"

using WorldTiles = LoadedWorld;

// True when every pixel of `frame` equals the w x h cell of `bitmap` whose top-left is (px, py).
static bool frame_is_cell(const Sprite& s, int frame, const BitmapFile& bitmap, int px, int py) {
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

static Sprite& probe(float x, float y, int size = 32) {
    static Sprite s;
    put(s, x, y);
    s.width = s.height = size;
    return s;
}

TEST_F(WorldTiles, AnAlignedSpriteTestsOnlyItsOwnCellFloorValuesGoUpTo30BossModeSkipsMixedCellsScrollingMovesTheCellsAndOutsideTheMapIsSolid) {
    // Walls all around cell (5, 5); a grid-aligned body inside it is free.
    for (int r = 4; r <= 6; ++r)
        for (int c = 4; c <= 6; ++c)
            if (r != 5 || c != 5) wall(r, c);
    EXPECT_FALSE(world.tile_blocked(&probe(160, 160), TILE_TEST_BODY));
    EXPECT_FALSE(world.tile_blocked(&probe(160, 160), TILE_TEST_BOSS));
    // One pixel off the grid reaches into the next column or row.
    EXPECT_TRUE(world.tile_blocked(&probe(161, 160), TILE_TEST_BODY));
    EXPECT_TRUE(world.tile_blocked(&probe(160, 161), TILE_TEST_BODY));
    EXPECT_TRUE(world.tile_blocked(&probe(159, 160), TILE_TEST_BODY)) << "cell (5, 4) is a wall";
    // Floor values go up to 30; 200 has no picture, but is solid all the same.
    for (const auto& [tile, solid] : {std::pair{30, false}, {31, true}, {TILE_JAIL_DOOR, true}, {200, true}}) {
        wall(0, 1, tile);
        EXPECT_EQ(world.tile_blocked(&probe(32, 0), TILE_TEST_BODY), solid) << "tile " << tile;
    }

    // Boss mode reaches two cells but skips the mixed ones. Boss at (64, 64) + 1 pixel: covers
    // columns 2..4 and rows 2..4.
    std::memset(tile_map, 0, sizeof tile_map);
    wall(2, 4);
    EXPECT_TRUE(world.tile_blocked(&probe(65, 65, 64), TILE_TEST_BOSS));
    EXPECT_FALSE(world.tile_blocked(&probe(65, 65, 64), TILE_TEST_BODY)) << "mode 0 stops at col + 1";
    EXPECT_FALSE(world.tile_blocked(&probe(64, 65, 64), TILE_TEST_BOSS)) << "aligned across: col + 2 not tested";
    std::memset(tile_map, 0, sizeof tile_map);
    // (row + 1, col + 2) and (row + 2, col + 1) are never tested.
    wall(3, 4);
    wall(4, 3);
    EXPECT_FALSE(world.tile_blocked(&probe(65, 65, 64), TILE_TEST_BOSS));
    wall(4, 4);
    EXPECT_TRUE(world.tile_blocked(&probe(65, 65, 64), TILE_TEST_BOSS));
    // Projectile mode tests like mode 0.
    std::memset(tile_map, 0, sizeof tile_map);
    wall(2, 4);
    EXPECT_FALSE(world.tile_blocked(&probe(65, 65, 16), TILE_TEST_PROJECTILE));
    wall(3, 3);
    EXPECT_TRUE(world.tile_blocked(&probe(65, 65, 16), TILE_TEST_PROJECTILE));

    // Scroll offsets move the cells under the screen.
    wall(10, 12);
    view_at(330, 300);  // column 10 and 10 pixels into it, row 9 and 12 pixels into it
    // Screen (54, 20) is world (384, 320): column 12, row 10, aligned.
    EXPECT_TRUE(world.tile_blocked(&probe(54, 20), TILE_TEST_BODY));
    EXPECT_FALSE(world.tile_blocked(&probe(86, 20), TILE_TEST_BODY));
    // World (352, 288) + 1: column 11 reaching into 12, row 9 reaching into 10.
    EXPECT_TRUE(world.tile_blocked(&probe(23, -11), TILE_TEST_BODY));

    // Cells outside the map are solid and never read.
    world.scroll_x = world.scroll_y = 0;
    EXPECT_TRUE(world.tile_blocked(&probe(-40, 100), TILE_TEST_BODY));
    EXPECT_TRUE(world.tile_blocked(&probe(100, -40), TILE_TEST_BODY));
    EXPECT_TRUE(world.tile_blocked(&probe(6400, 100), TILE_TEST_BODY));
    EXPECT_TRUE(world.tile_blocked(&probe(100, 6390), TILE_TEST_BODY)) << "reaches into row 200";
    EXPECT_FALSE(world.tile_blocked(&probe(6368, 6368), TILE_TEST_BODY)) << "the last cell is on the map";
    EXPECT_TRUE(world.tile_blocked(&probe(6368, 6368, 64), TILE_TEST_BOSS) == false);
    EXPECT_TRUE(world.tile_blocked(&probe(6369, 6368, 64), TILE_TEST_BOSS));
    EXPECT_TRUE(world.tile_blocked(&probe(std::numeric_limits<float>::quiet_NaN(), 10), TILE_TEST_BODY));
    EXPECT_TRUE(world.tile_blocked(&probe(10, std::numeric_limits<float>::infinity()), TILE_TEST_BODY));
    EXPECT_TRUE(world.tile_blocked(&probe(-3e9f, 3e9f), TILE_TEST_BOSS));
    // A jail door check outside the map finds no door and changes nothing.
    EXPECT_FALSE(world.open_jail_door(&probe(-100, -100)));
}

TEST_F(WorldTiles, KnockBackStopsAtTheLastFreePixelBeforeAWallAndCanPushAgainstTheFacing) {
    wall(3, 8);  // wall from x 256
    wall(10, 5);  // and at x 160, rows 10 and 11
    wall(11, 5);
    struct Push {
        float x, y;
        int facing, way;
        float want_x, want_y;
        const char* why;
    };
    const Push pushes[] = {
        {200, 96, FACING_DOWN, FACING_RIGHT, 224, 96, "x 224 is the last position that does not reach into column 8"},
        {100, 300, FACING_DOWN, FACING_UP, 100, 268, "into open floor: 32 pixels and no more"},
        {100, 268, FACING_DOWN, FACING_LEFT, 68, 268, "into open floor, across"},
        {250, 96, FACING_DOWN, FACING_DOWN, 250, 95, "already inside a wall: one pixel against the push and no further"},
        {100, 300, FACING_UP, KNOCK_BACK_AGAINST_FACING, 100, 332, "a hero facing up is pushed down"},
        {100, 332, FACING_RIGHT, KNOCK_BACK_AGAINST_FACING, 68, 332, "a hero facing right is pushed left"},
        {120, 332, FACING_LEFT, KNOCK_BACK_AGAINST_FACING, 128, 332, "facing left, pushed right into the wall: one pixel further in"},
    };
    for (const Push& p : pushes) {
        Sprite& s = probe(p.x, p.y);
        s.aux_3 = p.facing;
        world.knock_back(&s, TILE_TEST_BODY, p.way);
        EXPECT_TRUE(stands_at(s, p.want_x, p.want_y)) << p.why;
    }
    // Directions 4..9 and above 10 do nothing.
    Sprite& v = probe(100, 100);
    for (int d : {4, 9, 11, -1}) world.knock_back(&v, TILE_TEST_BODY, d);
    EXPECT_TRUE(stands_at(v, 100, 100));
}

// A loaded world with a display to draw on.
class WorldDrawing : public LoadedWorld {
protected:
    void SetUp() override {
        LoadedWorld::SetUp();
        ASSERT_EQ(display_init(640, 480, 8, 0), 1);
    }
    static uint8_t screen(int x, int y) { return display.back_surface.pixels[static_cast<size_t>(y) * display.back_surface.pitch + x]; }
    static uint8_t frame_pixel(const Sprite& s, int frame, int x, int y) {
        const Surface& f = *s.frames[frame];
        return f.pixels[static_cast<size_t>(y) * f.pitch + x];
    }
    // True when the screen rectangle at (x, y) shows exactly `frame` of `s` drawn over colour 0.
    static bool shows(const Sprite& s, int frame, int x, int y) {
        for (int j = 0; j < s.height; ++j)
            for (int i = 0; i < s.width; ++i)
                if (screen(x + i, y + j) != frame_pixel(s, frame, i, j)) return false;
        return true;
    }
    static bool blank(int x0, int y0, int x1, int y1) { return pixels_of(0, x0, y0, x1, y1) == (x1 - x0) * (y1 - y0); }
};

TEST_F(WorldDrawing, TheMapIsDrawnCellByCellAndEnhancedPlayScattersDetailVariantsTheSameWayEveryDraw) {
    load_tile_details();
    ASSERT_EQ(tile_detail_sprite.num_frames, TILE_DETAIL_FRAMES);
    // About one cell in `one_in` of each plain tile shows a variant, and every variant shows.
    for (const TileDetail& d : TILE_DETAILS) {
        std::vector<int> seen(d.variants, 0);
        int detailed = 0;
        for (int r = 0; r < MAP_ROWS; ++r)
            for (int c = 0; c < MAP_COLUMNS; ++c) {
                const int32_t frame = tile_detail_frame(d.tile, r, c);
                if (frame < 0) continue;
                ASSERT_GE(frame, d.first_frame);
                ASSERT_LT(frame, d.first_frame + d.variants);
                ++seen[frame - d.first_frame], ++detailed;
            }
        EXPECT_NEAR(detailed, MAP_ROWS * MAP_COLUMNS / d.one_in, MAP_ROWS * MAP_COLUMNS / d.one_in / 10) << "tile " << d.tile;
        for (int n : seen) EXPECT_GT(n, 0) << "tile " << d.tile;
    }
    EXPECT_EQ(tile_detail_frame(0, 3, 4), -1) << "other tiles are never swapped";

    for (int r = 0; r < MAP_ROWS; ++r)
        for (int c = 0; c < MAP_COLUMNS; ++c) tile_map[r][c] = (r * 7 + c) % TILE_SET_FRAMES;
    view_at(37, 45);  // column 1 and 5 pixels in, row 1 and 13 pixels in
    // Screen pixels other than the cell (or with `details` its variant) under world (scroll +
    // screen), the partly shown 21st column and 16th row included.
    auto mismatches = [&](bool details) {
        int n = 0;
        for (int sy = 0; sy < 480; ++sy)
            for (int sx = 0; sx < 640; ++sx) {
                const int wx = 37 + sx, wy = 45 + sy;
                const int32_t tile = tile_map[wy / 32][wx / 32], frame = details ? tile_detail_frame(tile, wy / 32, wx / 32) : -1;
                const uint8_t want = frame < 0 ? frame_pixel(world.tile_sprite, tile, wx % 32, wy % 32)
                                               : frame_pixel(tile_detail_sprite, frame, wx % 32, wy % 32);
                n += screen(sx, sy) != want;
            }
        return n;
    };
    world.draw_tile_map(&world.tile_sprite);
    EXPECT_EQ(mismatches(false), 0) << "classic play draws the plain cells";
    EXPECT_LT(pixels_of(0, 635, 0, 640, 480) + pixels_of(0, 0, 467, 635, 480), 5 * 480 + 635 * 13)
        << "the edge cells have something to show";
    const std::vector<uint8_t> classic = display.back_surface.pixels;
    play_mode = PlayMode::Enhanced;
    world.draw_tile_map(&world.tile_sprite);
    EXPECT_EQ(mismatches(true), 0);
    const std::vector<uint8_t> enhanced = display.back_surface.pixels;
    EXPECT_NE(enhanced, classic) << "variants show";
    // The world frozen behind the speech box is drawn with the same variants.
    TileView view;
    ASSERT_TRUE(capture_tile_view(world, &view));
    fill_surface(&display.back_surface, 0, nullptr);
    draw_tile_view(view, &world.tile_sprite);
    EXPECT_EQ(display.back_surface.pixels, enhanced);
}

TEST_F(WorldDrawing, HeartsFollowHitPointsIconsFollowTheItemsAndShiftingMovesWorldObjectsButNotTheHeroOrTheDead) {
    Player& p = world.player;
    p.hit_points = 5;
    p.has_key = 0;
    p.has_bow = 0;
    fill_surface(&display.back_surface, 0, nullptr);
    world.draw_hud();
    EXPECT_TRUE(shows(world.life_sprite, 0, 10, 0));
    for (int x = 110; x <= 190; x += 20) EXPECT_TRUE(shows(world.lifebar_sprite, 0, x, 0)) << "heart at " << x;
    EXPECT_TRUE(blank(210, 0, 300, 32)) << "five hearts end at x 190";
    EXPECT_TRUE(shows(world.uisword_sprite, 0, 300, 0));
    EXPECT_TRUE(shows(world.uikey_sprite, 0, 600, 0)) << "no key: frame 0";
    EXPECT_TRUE(blank(396, 0, 428, 32)) << "no bow icon without the bow";

    p.hit_points = 0;
    p.has_key = 1;
    p.has_bow = 1;
    fill_surface(&display.back_surface, 0, nullptr);
    world.draw_hud();
    EXPECT_TRUE(blank(110, 0, 300, 32)) << "no hearts at 0 hit points";
    EXPECT_TRUE(shows(world.uikey_sprite, 1, 600, 0)) << "with the key: frame 1";
    EXPECT_EQ(world.uikey_sprite.curr_frame, 1);
    EXPECT_TRUE(shows(world.uibow_sprite, 0, 396, 0));

    // Shifting the world moves its objects, but not the hero or the dead.
    Mole& live = place(world.pools.moles[0], 100, 100);
    Mole& dead = place(world.pools.moles[1], 200, 200);
    dead.alive = 0;
    Wasp& wasp = world.pools.wasps[3];
    wasp.alive = 1;
    Wasp& dead_wasp = world.pools.wasps[4];
    dead_wasp.alive = 0;
    world.pools.pigs[99].alive = 1;
    world.pools.mole_boss.alive = 0;
    const std::tuple<Sprite*, float, float, const char*> shifts[] = {  // sprite, x, x after the shift, why
        {&live.body, 100, 96, "a live mole"},
        {&dead.body, 200, 200, "a dead one stays"},
        {&wasp.body, 50, 46, "a live wasp"},
        {&wasp.stinger, 60, 56, "and his stinger"},
        {&dead_wasp.body, 70, 70, "a dead wasp"},
        {&dead_wasp.stinger, 70, 70, "a dead wasp's stinger stays too"},
        {&world.pools.pigs[99].body, 10, 6, "the last pig of the pool"},
        {&world.pools.mole_boss.body, 300, 296, "bosses move alive or not"},
        {&world.pools.swine_boss.body, 400, 396, "the swine boss"},
        {&world.pools.swine_boss.spear, 410, 406, "his spear"},
        {&world.pools.wasp_boss.body, 500, 496, "the wasp boss"},
        {&world.pools.wasp_boss.stinger, 510, 506, "his stinger"},
        {&world.key_sprite, 20, 16, "the key"},
        {&world.cheese_sprite, 20, 16, "the cheese"},
        {&world.player.arrow, 20, 16, "the arrow"},
        {&world.deathcloud_sprite, 20, 16, "the death cloud"},
        {&world.player.body, 250, 250, "the hero keeps his place on the screen"},
        {&world.player.sword, 260, 260, "and so does his sword"},
    };
    for (const auto& [s, x, want_x, why] : shifts) s->x = x;
    wasp.stinger.y = 60;
    world.shift_world_objects(-4, 3);
    for (const auto& [s, x, want_x, why] : shifts) EXPECT_FLOAT_EQ(s->x, want_x) << why;
    EXPECT_FLOAT_EQ(live.body.y, 103);
    EXPECT_FLOAT_EQ(wasp.stinger.y, 63);
}

// A walking frame skips its first map draw when the map drawn after the walk covers the screen;
// that is only right if such a draw leaves nothing of what was under it.
TEST_F(WorldTiles, TheTileSetIsCutTenCellsToARowAMapThatCoversTheScreenHidesWhateverWasDrawnBeforeAndDrawingKeepsTheCameraOnTheMap) {
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

    for (int i = 0; i < MAP_ROWS * MAP_COLUMNS; ++i) tile_map[i / MAP_COLUMNS][i % MAP_COLUMNS] = i * 7 % TILE_SET_FRAMES;
    const int scrolls[][2] = {{0, 0}, {5, 3}, {31, 17}, {5760, 5920}, {5759, 1}, {640, 480}};
    for (const auto& sc : scrolls) {
        view_at(sc[0], sc[1]);
        ASSERT_TRUE(world.tile_map_covers_screen()) << sc[0] << "," << sc[1];
        Surface& back = display.back_surface;
        std::fill(back.pixels.begin(), back.pixels.end(), 0);
        world.draw_tile_map(&world.tile_sprite);
        const std::vector<uint8_t> over_black = back.pixels;
        for (size_t i = 0; i < back.pixels.size(); ++i) back.pixels[i] = static_cast<uint8_t>(i * 13);
        world.draw_tile_map(&world.tile_sprite);
        ASSERT_EQ(back.pixels, over_black) << sc[0] << "," << sc[1];
    }
    // A tile number without a picture, or a see-through pixel in a shown tile, leaves gaps.
    world.scroll_x = world.scroll_y = 0;
    tile_map[3][4] = TILE_SET_FRAMES + 5;
    EXPECT_FALSE(world.tile_map_covers_screen());
    tile_map[3][4] = 2;
    Surface& tile = *world.tile_sprite.frames[2];
    tile.pixels[40] = tile.color_key;
    platform::measure_rows(tile);
    EXPECT_FALSE(world.tile_map_covers_screen());

    // Drawing keeps the camera on the map.
    view_at(-20, 99999);
    world.draw_tile_map(&world.tile_sprite);
    EXPECT_EQ(world.scroll_x, 0);
    EXPECT_EQ(world.scroll_y, 5920);
    view_at(5761, -1);
    // Tile numbers with no picture are skipped, not read past the frame table.
    tile_map[0][199] = 70;
    tile_map[1][199] = -5;
    tile_map[2][199] = 1 << 30;
    world.draw_tile_map(&world.tile_sprite);
    EXPECT_EQ(world.scroll_x, 5760);
    EXPECT_EQ(world.scroll_y, 0);
}
