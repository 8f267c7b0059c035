// Two faults found in play: the music after a finished story, and a boss outliving his game.
#include <gtest/gtest.h>

#include <filesystem>

#include "audio/audio_report.h"
#include "platform/platform.h"
#include "shell/game.h"
#include "shell/runner.h"
#include "world/world.h"

namespace {

class StartedGame : public ::testing::Test {
protected:
    void SetUp() override {
        reset_game_globals();
        old_dir_ = std::filesystem::current_path();
        std::filesystem::current_path(QUILLMOOR_TEST_DATA_DIR);
        platform::Config config;
        config.backend = platform::Backend::Headless;
        config.mute = true;
        ASSERT_TRUE(platform::init(config));
        ASSERT_EQ(game_init(), 1);
    }
    void TearDown() override {
        game_shutdown();
        platform::shutdown();
        std::filesystem::current_path(old_dir_);
        reset_game_globals();
    }
    std::filesystem::path old_dir_;
};

int plays_of(const std::string& file) {
    const std::string json = audio_state_json();
    const std::string music = json.substr(json.find("\"music\""));
    const auto at = music.find("\"" + file + "\": ");
    return at == std::string::npos ? 0 : std::stoi(music.substr(at + file.size() + 4));
}

}  // namespace

TEST_F(StartedGame, ResumingAFinishedStoryPlaysTheLastTrackOnceAndLetsItRun) {
    world.load_level(3);
    shell.current_level = 4;  // the story of level 3 has finished
    shell.game_state = GAME_STATE_PLAYING;
    for (int i = 0; i < 40; ++i) game_main();
    EXPECT_EQ(plays_of("level3.MID"), 1) << audio_state_json();
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
    EXPECT_EQ(shell.frame, 0);
    platform::set_window_focused(true);
    EXPECT_TRUE(window_pass());
    EXPECT_EQ(shell.frame, 1);
}
