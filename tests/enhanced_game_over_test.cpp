// Enhanced play's game-over screen and title: the lament plays, Enter or Space skips the screen
// after a moment, and the title has its music whenever it shows.
#include <string>

#include "audio/music.h"
#include "test_game.h"
#include "screens/title_menu.h"

namespace {

class GameOverScreen : public HeadlessGame {
protected:
    // The game-over screen of a run that has shown the title before, as losing the last life
    // does, under `rules`.
    static void lose_last_life(PlayMode rules) {
        play_mode = rules;
        game.intro_started = true;
        game.game_state = GAME_STATE_GAME_OVER;
        title_menu.menu_counter = 0;
    }
    static std::string now_playing() {
        const char* name = music_now_playing();
        return name ? name : "none";
    }
};

constexpr unsigned ENTER = SCRIPT_KEY_ENTER, SPACE = SCRIPT_KEY_SPACE;

TEST_F(GameOverScreen, EnhancedPlaysTheLamentAndEnterSkipsItOnceLetGo) {
    lose_last_life(PlayMode::Enhanced);
    frames(1);
    EXPECT_EQ(now_playing(), "gameOver.MID");
    frames(10, ENTER);
    frames(1);
    EXPECT_EQ(game.game_state, GAME_STATE_GAME_OVER) << "too soon to skip";
    frames(30);
    frames(3, ENTER);
    EXPECT_EQ(game.game_state, GAME_STATE_GAME_OVER) << "not while Enter is still held";
    frames(1);
    EXPECT_EQ(game.game_state, GAME_STATE_TITLE);
    frames(20);
    EXPECT_EQ(game.game_state, GAME_STATE_TITLE) << "the Enter that skipped starts no game";
    EXPECT_EQ(now_playing(), "intro.MID") << "the title has its music again";
}

TEST_F(GameOverScreen, EnhancedSpaceSkipsItToo) {
    lose_last_life(PlayMode::Enhanced);
    frames(45);
    frames(2, SPACE);
    frames(1);
    EXPECT_EQ(game.game_state, GAME_STATE_TITLE);
}

TEST_F(GameOverScreen, ClassicIsSilentCannotBeSkippedAndSoIsTheTitleAfterIt) {
    lose_last_life(PlayMode::Classic);
    frames(50);
    frames(3, ENTER | SPACE);
    frames(1);
    EXPECT_EQ(game.game_state, GAME_STATE_GAME_OVER);
    EXPECT_EQ(now_playing(), "none");
    frames(400 - 54 + 1);  // the screen's 400 frames are up
    EXPECT_EQ(game.game_state, GAME_STATE_TITLE);
    frames(5);
    EXPECT_EQ(now_playing(), "none");
}

}  // namespace
