// Two faults found in play: the music after a finished story, and a boss outliving his game.
#include "headless_game.h"
#include "app/runner.h"

using StartedGame = HeadlessGame;

TEST_F(StartedGame, ResumingAFinishedStoryPlaysTheLastTrackOnceAndLetsItRun) {
    world.load_level(3);
    game.current_level = 4;  // the story of level 3 has finished
    game.game_state = GAME_STATE_PLAYING;
    frames(40);
    EXPECT_EQ(plays_in(audio_state_json(), "level3.MID"), 1) << audio_state_json();
}

TEST_F(StartedGame, ANewGameStartsWithNoBossOfAnotherLevelAlive) {
    // The hero lost his last life on level 2 with the swine boss throwing spears.
    world.load_level(2);
    ASSERT_EQ(world.pools.swine_boss.alive, 1);
    show_sprite(&world.pools.swine_boss.spear);
    world.pools.wasp_boss.alive = 1;
    start_new_game();
    EXPECT_EQ(world.pools.swine_boss.alive, 0);
    EXPECT_EQ(world.pools.wasp_boss.alive, 0);
    EXPECT_FALSE(world.pools.swine_boss.spear.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_EQ(world.pools.mole_boss.alive, 1) << "level 1's own boss waits for the hero";
}

TEST_F(StartedGame, WhileTheWindowIsAwayNoFrameRunsAndPlayGoesOnWhenItReturns) {
    platform::set_window_focused(false);
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(window_pass());
    EXPECT_EQ(game.frame, 0);
    platform::set_window_focused(true);
    EXPECT_TRUE(window_pass());
    EXPECT_EQ(game.frame, 1);
}
