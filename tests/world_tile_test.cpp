// The solid-tile test, knock-back and the camera clamp of the map drawing.
#include <cmath>
#include <limits>

#include "world_fixture.h"

using WorldTiles = LoadedWorld;

namespace {
Sprite& probe(float x, float y, int size = 32) {
    static Sprite s;
    s.x = x;
    s.y = y;
    s.width = s.height = size;
    return s;
}
}  // namespace

TEST_F(WorldTiles, AlignedSpriteTestsOnlyItsOwnCell) {
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
}

TEST_F(WorldTiles, FloorValuesUpTo30AndSolidAbove) {
    wall(0, 1, 30);
    EXPECT_FALSE(world.tile_blocked(&probe(32, 0), TILE_TEST_BODY));
    wall(0, 1, 31);
    EXPECT_TRUE(world.tile_blocked(&probe(32, 0), TILE_TEST_BODY));
    wall(0, 1, TILE_JAIL_DOOR);
    EXPECT_TRUE(world.tile_blocked(&probe(32, 0), TILE_TEST_BODY));
    wall(0, 1, 200);  // no picture for it, but solid all the same
    EXPECT_TRUE(world.tile_blocked(&probe(32, 0), TILE_TEST_BODY));
}

TEST_F(WorldTiles, BossModeReachesTwoCellsButSkipsTheMixedOnes) {
    // Boss at (64, 64) + 1 pixel: covers columns 2..4 and rows 2..4.
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
}

TEST_F(WorldTiles, ScrollOffsetsMoveTheCellsUnderTheScreen) {
    wall(10, 12);
    world.scroll_x = 330;  // column 10 and 10 pixels into it
    world.scroll_y = 300;  // row 9 and 12 pixels into it
    // Screen (54, 20) is world (384, 320): column 12, row 10, aligned.
    EXPECT_TRUE(world.tile_blocked(&probe(54, 20), TILE_TEST_BODY));
    EXPECT_FALSE(world.tile_blocked(&probe(86, 20), TILE_TEST_BODY));
    // World (352, 288) + 1: column 11 reaching into 12, row 9 reaching into 10.
    EXPECT_TRUE(world.tile_blocked(&probe(23, -11), TILE_TEST_BODY));
}

TEST_F(WorldTiles, CellsOutsideTheMapAreSolidAndNeverRead) {
    EXPECT_TRUE(world.tile_blocked(&probe(-40, 100), TILE_TEST_BODY));
    EXPECT_TRUE(world.tile_blocked(&probe(100, -40), TILE_TEST_BODY));
    EXPECT_TRUE(world.tile_blocked(&probe(6400, 100), TILE_TEST_BODY));
    EXPECT_TRUE(world.tile_blocked(&probe(100, 6390), TILE_TEST_BODY)) << "reaches into row 200";
    EXPECT_FALSE(world.tile_blocked(&probe(6368, 6368), TILE_TEST_BODY)) << "the last cell is on the map";
    EXPECT_TRUE(world.tile_blocked(&probe(6368, 6368, 64), TILE_TEST_BOSS) == false);
    EXPECT_TRUE(world.tile_blocked(&probe(6369, 6368, 64), TILE_TEST_BOSS));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_TRUE(world.tile_blocked(&probe(nan, 10), TILE_TEST_BODY));
    EXPECT_TRUE(world.tile_blocked(&probe(10, inf), TILE_TEST_BODY));
    EXPECT_TRUE(world.tile_blocked(&probe(-3e9f, 3e9f), TILE_TEST_BOSS));
    // A jail door check outside the map finds no door and changes nothing.
    EXPECT_FALSE(world.open_jail_door(&probe(-100, -100)));
}

TEST_F(WorldTiles, KnockBackStopsAtTheLastFreePixelBeforeAWall) {
    wall(3, 8);  // wall from x 256
    Sprite& s = probe(200, 96);
    world.knock_back(&s, TILE_TEST_BODY, FACING_RIGHT);
    EXPECT_FLOAT_EQ(s.x, 224) << "x 224 is the last position that does not reach into column 8";
    EXPECT_FLOAT_EQ(s.y, 96);
    // Into open floor: 32 pixels and no more.
    Sprite& t = probe(100, 300);
    world.knock_back(&t, TILE_TEST_BODY, FACING_UP);
    EXPECT_FLOAT_EQ(t.y, 268);
    world.knock_back(&t, TILE_TEST_BODY, FACING_LEFT);
    EXPECT_FLOAT_EQ(t.x, 68);
    // Already inside a wall: one pixel against the push and no further.
    Sprite& u = probe(250, 96);
    world.knock_back(&u, TILE_TEST_BODY, FACING_DOWN);
    EXPECT_FLOAT_EQ(u.y, 95);
    // Directions 4..9 and above 10 do nothing.
    Sprite& v = probe(100, 100);
    for (int d : {4, 9, 11, -1}) world.knock_back(&v, TILE_TEST_BODY, d);
    EXPECT_FLOAT_EQ(v.x, 100);
    EXPECT_FLOAT_EQ(v.y, 100);
}

TEST_F(WorldTiles, KnockBackAgainstFacingPushesTheOtherWay) {
    Sprite& s = probe(100, 300);
    s.aux_3 = FACING_UP;
    world.knock_back(&s, TILE_TEST_BODY, KNOCK_BACK_AGAINST_FACING);
    EXPECT_FLOAT_EQ(s.y, 332) << "a hero facing up is pushed down";
    s.aux_3 = FACING_RIGHT;
    world.knock_back(&s, TILE_TEST_BODY, KNOCK_BACK_AGAINST_FACING);
    EXPECT_FLOAT_EQ(s.x, 68);
    // Facing left, pushed right into a wall at x 160: ends one pixel further in.
    wall(10, 5);
    wall(11, 5);
    Sprite& t = probe(120, 332);
    t.aux_3 = FACING_LEFT;
    world.knock_back(&t, TILE_TEST_BODY, KNOCK_BACK_AGAINST_FACING);
    EXPECT_FLOAT_EQ(t.x, 128);
}

TEST_F(WorldTiles, MapDrawingKeepsTheCameraOnTheMap) {
    world.scroll_x = -20;
    world.scroll_y = 99999;
    world.draw_tile_map(&world.tile_sprite);
    EXPECT_EQ(world.scroll_x, 0);
    EXPECT_EQ(world.scroll_y, 5920);
    world.scroll_x = 5761;
    world.scroll_y = -1;
    // Tile numbers with no picture are skipped, not read past the frame table.
    tile_map[0][199] = 70;
    tile_map[1][199] = -5;
    tile_map[2][199] = 1 << 30;
    world.draw_tile_map(&world.tile_sprite);
    EXPECT_EQ(world.scroll_x, 5760);
    EXPECT_EQ(world.scroll_y, 0);
}
