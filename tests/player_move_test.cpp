// The hero's walk and the camera band, and his sword and bow keys through the playing frame.

#include "audio/sound_ids.h"
#include "test_game.h"

class PlayerMove : public LoadedWorld {
protected:
    void SetUp() override {
        LoadedWorld::SetUp();
        Sprite& b = world.player.body;
        b.xv = b.yv = 4;
        b.aux_3 = FACING_DOWN;
    }
    // One step `way`, then the hero's screen place and the view's scroll must be as given.
    static void step(int way, float x, float y, int32_t scroll_x, int32_t scroll_y, const char* why) {
        world.move_player(way, game.current_level);
        EXPECT_TRUE(stands_at(world.player.body, x, y)) << why;
        EXPECT_EQ(world.scroll_x, scroll_x) << why;
        EXPECT_EQ(world.scroll_y, scroll_y) << why;
    }
};

TEST_F(PlayerMove, WalksInsideTheBandOf150To450By150To290ThenScrollsTheWorldUpToItsLimitsBlockedStepsAreUndoneWholeAndStandingShowsTheIdleFrame) {
    put(world.player.body, 444, 200);
    Mole& m = place(world.pools.moles[0], 500, 200);
    step(FACING_RIGHT, 448, 200, 0, 0, "walking right");
    step(FACING_RIGHT, 452, 200, 0, 0, "below 450 he still walks");
    step(FACING_RIGHT, 452, 200, 4, 0, "past it the view scrolls");
    EXPECT_FLOAT_EQ(m.body.x, 496) << "live enemies keep their place in the world";
    EXPECT_EQ(world.player.body.aux_3, FACING_RIGHT);
    // Back left: he walks down to x 150, then the view scrolls until it is at 0.
    put(world.player.body, 154, 200);
    step(FACING_LEFT, 150, 200, 4, 0, "walking left to x 150");
    step(FACING_LEFT, 150, 200, 0, 0, "the view scrolls back");
    step(FACING_LEFT, 146, 200, 0, 0, "with the camera at 0 he walks on to the edge");

    put(world.player.body, 300, 286);
    step(FACING_DOWN, 300, 290, 0, 0, "walking down to y 290");
    step(FACING_DOWN, 300, 290, 0, 4, "past it the view scrolls");
    world.scroll_y = world.max_scroll_y;
    step(FACING_DOWN, 300, 294, 0, 5920, "at the limit the hero walks on");
    put(world.player.body, 300, 154);
    world.scroll_y = 8;
    step(FACING_UP, 300, 150, 0, 8, "walking up to y 150");
    step(FACING_UP, 300, 150, 0, 4, "the view scrolls up");
    step(FACING_UP, 300, 150, 0, 0, "to its top");
    step(FACING_UP, 300, 146, 0, 0, "with the camera at 0 he walks on");

    // Blocked steps are undone whole, without sliding.
    // Wall at column 10 (x 320..351) spanning rows 5 and 6.
    wall(5, 10);
    wall(6, 10);
    put(world.player.body, 284, 170);  // reaches into row 6 as well
    step(FACING_RIGHT, 288, 170, 0, 0, "up to the wall");
    step(FACING_RIGHT, 288, 170, 0, 0, "the step into the wall is undone whole");
    // A blocked scroll step is undone too and shifts nothing.
    put(world.player.body, 300, 290);
    wall(10, 9);
    wall(10, 10);
    place(m, 100, 100);
    world.move_player(FACING_DOWN, game.current_level);
    step(FACING_DOWN, 300, 290, 0, 0, "a blocked scroll step");
    EXPECT_FLOAT_EQ(m.body.y, 100);

    // Standing still, clear of the walls, shows the idle frame of the facing.
    put(world.player.body, 100, 400);
    for (const auto& [way, idle] : {std::pair{FACING_LEFT, 9}, {FACING_UP, 12}}) {
        world.move_player(way, game.current_level);
        world.move_player(MOVE_NONE, game.current_level);
        EXPECT_EQ(world.player.body.curr_frame, idle) << "facing " << way;
    }
}

TEST_F(PlayerMove, PlayingFrameTakesRightFirstHoldsStillWhileTheSwordSwingsAndFiresOneArrowAtATime) {
    game.current_level = 1;
    world.loaded_level = 1;
    put(world.player.body, 300, 200);
    world.player.sword.anim_state = 1;
    hold_keys({platform::VK_RIGHT, platform::VK_UP, platform::VK_LEFT});
    playing_frame();
    EXPECT_TRUE(stands_at(world.player.body, 304, 200));
    hold_keys({platform::VK_UP, platform::VK_DOWN});
    playing_frame();
    EXPECT_FLOAT_EQ(world.player.body.y, 196);

    // A held with an arrow key: no step while A is down, nor until the swing has played out.
    sound_ids.use_sword = load_wav("useSword.WAV", SOUND_CREATE_CONTROLS);
    hold_keys({platform::VK_RIGHT}, {platform::DIK_A});
    for (int i = 0; i < 5; ++i) playing_frame();
    EXPECT_FLOAT_EQ(world.player.body.x, 304);
    EXPECT_NE(audio_state_json().find("\"useSword.WAV\": 5"), std::string::npos)
        << "the swing sound starts again in every frame that A is held";
    EXPECT_TRUE(world.player.sword.attr & SPRITE_ATTR_VISIBLE);
    hold_keys({platform::VK_RIGHT});
    playing_frame();
    EXPECT_FALSE(world.player.sword.attr & SPRITE_ATTR_VISIBLE) << "released A hides the sword at once";
    int frames = 0;
    for (; world.player.body.x == 304 && frames < 20; ++frames) playing_frame();
    EXPECT_GT(frames, 0) << "the swing plays out before he walks again";
    EXPECT_LT(frames, 20);

    // One arrow at a time, and only with the bow.
    put(world.player.body, 300, 200);
    world.player.body.aux_3 = FACING_RIGHT;
    hold_keys({}, {platform::DIK_Z});
    playing_frame();
    EXPECT_FALSE(world.player.arrow.attr & SPRITE_ATTR_VISIBLE) << "no bow yet";
    world.player.has_bow = 1;
    playing_frame();
    ASSERT_TRUE(world.player.arrow.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_FLOAT_EQ(world.player.arrow.x, 306 + 16) << "fired from (x + 6) and moved once";
    const float x = world.player.arrow.x;
    playing_frame();
    EXPECT_FLOAT_EQ(world.player.arrow.x, x + 16) << "the flying arrow is not fired again";
    // It is spent past the right edge of the screen.
    hold_keys({});
    for (int i = 0; i < 30; ++i) playing_frame();
    EXPECT_FALSE(world.player.arrow.attr & SPRITE_ATTR_VISIBLE);
}
