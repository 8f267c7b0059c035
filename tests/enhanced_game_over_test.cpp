// Enhanced play's game-over screen and title: the lament plays, Enter or Space skips the screen
// after a moment, and the title has its music whenever it shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "audio/music.h"
#include "platform/keyboard.h"
#include "platform/platform.h"
#include "rules/play_mode.h"
#include "screens/title_menu.h"
#include "shell/game.h"

namespace {

// The game headless and in process, put on the game-over screen of a run that has shown the
// title before, as losing the last life does.
class GameOverScreen : public ::testing::Test {
protected:
    void start(PlayMode mode) {
        reset_game_globals();
        old_dir_ = std::filesystem::current_path();
        std::filesystem::current_path(QUILLMOOR_TEST_DATA_DIR);
        platform::Config config;
        config.backend = platform::Backend::Headless;
        config.mute = true;
        ASSERT_TRUE(platform::init(config));
        ASSERT_EQ(game_init(), 1);
        play_mode = mode;
        shell.intro_started = true;
        shell.game_state = GAME_STATE_GAME_OVER;
        title_menu.menu_counter = 0;
    }
    void TearDown() override {
        game_shutdown();
        platform::shutdown();
        std::filesystem::current_path(old_dir_);
        reset_game_globals();
    }
    void frames(int count, bool enter = false, bool space = false) {
        for (int i = 0; i < count; ++i) {
            platform::KeyboardSnapshot snap{};
            snap.virtual_down[platform::VK_RETURN] = enter;
            snap.virtual_down[platform::VK_SPACE] = space;
            platform::set_keyboard_snapshot(snap);
            game_main();
        }
    }
    static std::string now_playing() {
        const char* name = music_now_playing();
        return name ? name : "none";
    }

private:
    std::filesystem::path old_dir_;
};

TEST_F(GameOverScreen, EnhancedPlaysTheLamentAndEnterSkipsItOnceLetGo) {
    start(PlayMode::Enhanced);
    frames(1);
    EXPECT_EQ(now_playing(), "gameOver.MID");
    frames(10, true);
    frames(1);
    EXPECT_EQ(shell.game_state, GAME_STATE_GAME_OVER) << "too soon to skip";
    frames(30);
    frames(3, true);
    EXPECT_EQ(shell.game_state, GAME_STATE_GAME_OVER) << "not while Enter is still held";
    frames(1);
    EXPECT_EQ(shell.game_state, GAME_STATE_TITLE);
    frames(20);
    EXPECT_EQ(shell.game_state, GAME_STATE_TITLE) << "the Enter that skipped starts no game";
    EXPECT_EQ(now_playing(), "intro.MID") << "the title has its music again";
}

TEST_F(GameOverScreen, EnhancedSpaceSkipsItToo) {
    start(PlayMode::Enhanced);
    frames(45);
    frames(2, false, true);
    frames(1);
    EXPECT_EQ(shell.game_state, GAME_STATE_TITLE);
}

TEST_F(GameOverScreen, ClassicIsSilentCannotBeSkippedAndSoIsTheTitleAfterIt) {
    start(PlayMode::Classic);
    frames(50);
    frames(3, true, true);
    frames(1);
    EXPECT_EQ(shell.game_state, GAME_STATE_GAME_OVER);
    EXPECT_EQ(now_playing(), "none");
    frames(400 - 54 + 1);  // the screen's 400 frames are up
    EXPECT_EQ(shell.game_state, GAME_STATE_TITLE);
    frames(5);
    EXPECT_EQ(now_playing(), "none");
}

// Left on the title past the end of its track (the headless clock is moved on a minute and a
// half), enhanced play starts it again; classic plays it once a run.
TEST_F(GameOverScreen, EnhancedLoopsTheTitleTrackClassicPlaysItOnce) {
    for (PlayMode mode : {PlayMode::Enhanced, PlayMode::Classic}) {
        start(mode);
        shell.intro_started = false;
        shell.game_state = GAME_STATE_TITLE;
        frames(1);
        EXPECT_EQ(now_playing(), "intro.MID");
        platform::sleep_ms(90000);
        frames(1);
        EXPECT_EQ(now_playing(), mode == PlayMode::Enhanced ? "intro.MID" : "none");
        TearDown();
    }
}

}  // namespace
