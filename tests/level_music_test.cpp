// The music around a completed level: the fanfare heard out before the level track returns, and a finished story's last track played once.
#include "platform/platform.h"
#include "test_game.h"

class LevelMusic : public LoadedWorld {
protected:
    void SetUp() override {
        platform::Config config;
        config.backend = platform::Backend::Headless;
        ASSERT_TRUE(platform::init(config));
        LoadedWorld::SetUp();
        music_init();
        game.level1_track = load_midi("level1.MID");
        game.level_complete_track = load_midi("levelComplete.MID");
        ASSERT_GE(game.level1_track, 0);
        ASSERT_GE(game.level_complete_track, 0);
    }
    void TearDown() override {
        music_shutdown();
        LoadedWorld::TearDown();
        platform::shutdown();
    }
    // One playing frame and its 30 ms of (virtual) time.
    static void frame() {
        playing_frame();
        platform::sleep_ms(30);
    }
};

TEST_F(LevelMusic, TheFanfarePlaysOutThenTheLevelTrackLoopsAgain) {
    game.game_state = GAME_STATE_PLAYING;
    game.current_level = 1;
    world.loaded_level = 1;
    game.current_level_track = game.level1_track;
    play_midi(game.level1_track);

    // Step into level 1's completion zone.
    view_at(1500, 200);
    put(world.player.body, 200, 200);
    if (const int done = world.check_story_triggers(game.current_level)) complete_level(done);
    ASSERT_EQ(game.current_level, 2);
    ASSERT_EQ(midi_status(game.level_complete_track), MIDI_STATE_PLAYING);

    for (int i = 0; i < 60; ++i) frame();
    EXPECT_EQ(midi_status(game.level_complete_track), MIDI_STATE_PLAYING) << "two seconds in, the fanfare still sounds";
    EXPECT_EQ(midi_status(game.level1_track), MIDI_STATE_STOPPED);

    int frames = 60;
    for (; midi_status(game.level1_track) != MIDI_STATE_PLAYING && frames < 2000; ++frames) frame();
    EXPECT_EQ(midi_status(game.level1_track), MIDI_STATE_PLAYING);
    EXPECT_GT(frames, 100) << "the fanfare lasts a few seconds";
    EXPECT_LT(frames, 2000);
}

using FinishedStory = HeadlessGame;

TEST_F(FinishedStory, ResumedPlaysTheLastTrackOnceAndLetsItRun) {
    world.load_level(3);
    game.current_level = 4;  // the story of level 3 has finished
    game.game_state = GAME_STATE_PLAYING;
    frames(40);
    EXPECT_EQ(plays_in(audio_state_json(), "level3.MID"), 1) << audio_state_json();
}
