// Enhanced play's pause and menus without dead ends: pause and Resume, the title's RESUME and NEW GAME, Escape from the map, a finished story.

#include "app/runner.h"
#include "app/state_json.h"
#include "platform/platform.h"
#include "screens/pause_overlay.h"
#include "screens/title_menu.h"
#include "userfiles/profile.h"
#include "test_files.h"
#include "test_game.h"

// The state report without its count of frames since start-up, which paused frames advance.
static std::string state_but_frame() {
    std::string s = game_state_json();
    const auto at = s.find("\"frame\": ");
    return s.erase(at, s.find('\n', at) - at);
}

class PauseAndMenus : public HeadlessGame {
protected:
    // From the title through the map and the opening lines to the hero's first free step.
    void into_play() {
        into_level_1(PlayMode::Enhanced);
        past_the_opening();
    }
    // Walking, swinging and letting the moles come: the world changes in every frame.
    void play_on() {
        frames(30, SCRIPT_KEY_UP);
        frames(12, SCRIPT_KEY_A);
        frames(40, SCRIPT_KEY_RIGHT);
        frames(30);
    }
};

TEST_F(PauseAndMenus, PausedFramesChangeNothingResumeGoesOnExactlyAndLosingTheFocusPausesUnderTheOverlayUntilResume) {
    into_play();
    frames(30, SCRIPT_KEY_LEFT);
    play_on();
    const std::string unpaused = state_but_frame();

    into_play();
    frames(30, SCRIPT_KEY_LEFT);
    frame(SCRIPT_KEY_PAUSE);
    ASSERT_TRUE(game.paused);
    const std::string held = state_but_frame();
    // Keys of play, and the overlay's own moves, move nothing in the world.
    frames(10, SCRIPT_KEY_PAUSE);
    frames(20, SCRIPT_KEY_LEFT | SCRIPT_KEY_A | SCRIPT_KEY_Z | SCRIPT_KEY_SPACE);
    frame(SCRIPT_KEY_DOWN);
    frame();
    frame(SCRIPT_KEY_UP);
    frames(40);
    EXPECT_TRUE(game.paused);
    EXPECT_EQ(game.pause_choice, PAUSE_CHOICE_RESUME);
    EXPECT_EQ(state_but_frame(), held);
    frame(SCRIPT_KEY_ENTER);  // Resume
    EXPECT_FALSE(game.paused);
    play_on();
    EXPECT_EQ(state_but_frame(), unpaused);

    // The window's backend turns the focus going away into the pause key of the next snapshot;
    // the loop runs that one frame more, runs none while the window is away, and the game waits
    // under the overlay when the window returns.
    into_play();
    const std::string before = state_but_frame();
    platform::set_keyboard_snapshot(snapshot_for(SCRIPT_KEY_PAUSE));
    platform::set_window_focused(false);
    EXPECT_TRUE(window_pass());
    EXPECT_TRUE(game.paused);
    const int64_t away = game.frame;
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(window_pass());
    EXPECT_EQ(game.frame, away) << "no frame runs while the window is away";
    platform::set_window_focused(true);
    platform::set_keyboard_snapshot(snapshot_for(0));
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(window_pass());
    EXPECT_EQ(game.frame, away + 5) << "frames run again once it returns";
    EXPECT_TRUE(game.paused);
    EXPECT_EQ(state_but_frame(), before);
    frame(SCRIPT_KEY_ENTER);
    EXPECT_FALSE(game.paused);
}

TEST_F(PauseAndMenus, QuitToTitleOffersResumeNewGameStartsOverEscapeLeavesTheMapAndAFinishedStoryLeavesNothingToContinue) {
    into_play();
    frames(20, SCRIPT_KEY_UP);
    const float y = world.player.body.y;
    frame(SCRIPT_KEY_PAUSE);
    frame();
    frame(SCRIPT_KEY_DOWN);  // Options, not offered without a profile: on to Quit to title
    frame();
    EXPECT_EQ(game.pause_choice, PAUSE_CHOICE_QUIT);
    frame(SCRIPT_KEY_ENTER);
    EXPECT_EQ(game.game_state, GAME_STATE_TITLE);
    frames(20);
    EXPECT_TRUE(title_menu.offers_resume);
    EXPECT_EQ(title_menu.menu_choice, MENU_CHOICE_START);
    // RESUME comes back to the very moment play stopped.
    frame(SCRIPT_KEY_ENTER);
    EXPECT_EQ(game.game_state, GAME_STATE_PLAYING);
    EXPECT_FALSE(game.paused);
    EXPECT_EQ(world.player.body.y, y);

    frames(30, SCRIPT_KEY_DOWN);
    frame(SCRIPT_KEY_ESCAPE);
    frames(20);
    frame(SCRIPT_KEY_DOWN);
    frames(2);
    EXPECT_EQ(title_menu.menu_choice, MENU_CHOICE_NEW_GAME);
    frame(SCRIPT_KEY_ENTER);
    EXPECT_EQ(game.game_state, GAME_STATE_LEVEL_MAP);
    EXPECT_EQ(game.current_level, 1);
    // Escape on the map goes back to the title, whose RESUME returns to the map.
    frame(SCRIPT_KEY_ESCAPE);
    EXPECT_EQ(game.game_state, GAME_STATE_TITLE);
    frames(20);
    EXPECT_TRUE(title_menu.offers_resume);
    frame(SCRIPT_KEY_ENTER);
    EXPECT_EQ(game.game_state, GAME_STATE_LEVEL_MAP);
    EXPECT_EQ(game.current_level, 1);
    frame(SCRIPT_KEY_SPACE);
    frame();
    EXPECT_EQ(world.dialog_box.top->text, std::string("Grandfather, what happened?!?"));

    // A finished story leaves nothing to continue, and Start begins a new game.
    into_play();
    TempDir dir;
    profile.active = true;
    profile.paths.save_file = dir.file("progress");
    // The last level's start was saved; then the story ends.
    record_level_start(SaveGame{3, 4, true});
    ASSERT_TRUE(std::filesystem::exists(profile.paths.save_file));
    game.current_level = 4;
    frame();
    ASSERT_EQ(game.game_state, GAME_STATE_ENDING);
    for (int i = 0; i < 1000 && game.game_state == GAME_STATE_ENDING; ++i) frame();
    ASSERT_EQ(game.game_state, GAME_STATE_TITLE);
    frames(20);
    EXPECT_FALSE(profile.has_save);
    EXPECT_FALSE(std::filesystem::exists(profile.paths.save_file));
    EXPECT_FALSE(title_menu.offers_continue);
    EXPECT_FALSE(title_menu.offers_resume);
    EXPECT_EQ(title_menu.menu_choice, MENU_CHOICE_START);
    frame(SCRIPT_KEY_ENTER);
    EXPECT_EQ(game.game_state, GAME_STATE_LEVEL_MAP);
    EXPECT_EQ(game.current_level, 1);
    EXPECT_EQ(world.player.lives, 10);
}

