// Enhanced play's beat after a lost life, its game-over screen, the view leading the hero and the speech box kept off him; classic play keeps none.

#include "screens/title_menu.h"
#include "world/death_beat.h"
#include "test_game.h"

constexpr unsigned ENTER = SCRIPT_KEY_ENTER, SPACE = SCRIPT_KEY_SPACE, DOWN = SCRIPT_KEY_DOWN, RIGHT = SCRIPT_KEY_RIGHT;

class DeathAndView : public HeadlessGame {
protected:
    Player& hero = world.player;

    // A new enhanced game into level 1, past its opening lines, with the hero struck down on his last life.
    void struck_down_on_the_last_life() {
        into_level_1(PlayMode::Enhanced);
        past_the_opening();
        hero.lives = 1;
        hero.hit_points = 0;
    }
};

TEST_F(DeathAndView, TheLastLifeFallsThenGameOverSaysHowToGoOnEndsWithItsLamentAndEnterOrSpaceSkipsItOnceLetGoAfterTheBeat) {
    struck_down_on_the_last_life();
    frame();
    frames(LAST_DEATH_BEAT_FRAMES - 1);
    EXPECT_EQ(game.game_state, GAME_STATE_PLAYING) << "the beat before game over";
    frame();
    ASSERT_EQ(game.game_state, GAME_STATE_GAME_OVER);
    EXPECT_EQ(pixels_of(nearest_palette_index(0x000000), 0, 0, 640, 480), 640 * 480) << "the beat's last frame is all dark";
    EXPECT_EQ(game.current_level, 0);

    // The prompt comes up when the screen may be skipped, under the picture.
    const uint32_t PROMPT = 0x70E0F8;
    EXPECT_EQ(pixels_of(nearest_palette_index(PROMPT), 0, 410, 640, 450), 0);
    frames(41);
    EXPECT_GT(pixels_of(nearest_palette_index(PROMPT), 0, 410, 640, 450), 50) << "Enter or Space: continue";

    // Left alone, the screen lasts as long as its lament and a moment more, then the title's
    // music follows: never more than half a second of silence, where there were 4.5 seconds.
    const MusicSlot* lament = music_slot(game.game_over_track);
    ASSERT_NE(lament, nullptr);
    ASSERT_GT(lament->length_ms, 3000u);
    int silent = 0, shown = 42;
    while (game.game_state == GAME_STATE_GAME_OVER && shown < 500) {
        silent += now_playing() == "none";
        frame();
        ++shown;
    }
    EXPECT_EQ(game.game_state, GAME_STATE_TITLE);
    EXPECT_LT(shown, 400) << "shorter than the classic screen";
    EXPECT_GE(shown * 30, static_cast<int>(lament->length_ms)) << "the lament is not cut";
    EXPECT_LE(silent, 16);
    frame();
    EXPECT_EQ(now_playing(), "intro.MID");

    // Enter or Space skips the screen, once let go after the beat.
    for (const unsigned key : {ENTER, SPACE}) {
        struck_down_on_the_last_life();
        frames(LAST_DEATH_BEAT_FRAMES + 1, key);  // held through the beat: too soon to skip
        ASSERT_EQ(game.game_state, GAME_STATE_GAME_OVER);
        frames(10);
        EXPECT_EQ(now_playing(), "gameOver.MID");
        frames(40, key);
        EXPECT_EQ(game.game_state, GAME_STATE_GAME_OVER) << "not while the key is held: " << key;
        frame();
        EXPECT_EQ(game.game_state, GAME_STATE_TITLE) << key;
        frames(20);
        EXPECT_EQ(game.game_state, GAME_STATE_TITLE) << "the key that skipped starts no game: " << key;
        EXPECT_EQ(now_playing(), "intro.MID") << "the title has its music again";
    }
}

TEST_F(DeathAndView, ClassicPlaySpeaksOverTheHeroHasNoBeatAndAnUnskippableSilentGameOverWhereEnhancedPlaysViewLeadsHimSouthAndALostLifeHoldsTheWorld) {
    auto hidden_by_box = [&] {
        const int x = static_cast<int>(hero.body.x), y = static_cast<int>(hero.body.y);
        const int top = world.dialog_box.box_y;
        return x + 32 > SPEECH_BOX_X && x < SPEECH_BOX_X + SPEECH_BOX_WIDTH && y + 32 > top && y < top + SPEECH_BOX_HEIGHT;
    };
    into_level_1(PlayMode::Classic);
    EXPECT_TRUE(hidden_by_box()) << "classic play keeps its one place for the box";
    // Classic play has no beat after a lost life, and a silent game-over screen that cannot be skipped.
    past_the_opening();
    hero.lives = 3;
    hero.hit_points = 0;
    frame();
    EXPECT_EQ(hero.lives, 2);
    EXPECT_EQ(hero.hit_points, HERO_START_HIT_POINTS) << "his hearts back on the same frame";
    hero.lives = 1;
    hero.hit_points = 0;
    frame();
    EXPECT_EQ(game.game_state, GAME_STATE_GAME_OVER);
    title_menu.menu_counter = 0;  // the screen times itself on the menu's count, from wherever play left it
    frames(50);
    frames(3, ENTER | SPACE);
    frame();
    EXPECT_EQ(game.game_state, GAME_STATE_GAME_OVER);
    EXPECT_EQ(now_playing(), "none");
    frames(400 - 54);
    EXPECT_EQ(game.game_state, GAME_STATE_GAME_OVER);
    frame();
    EXPECT_EQ(game.game_state, GAME_STATE_TITLE) << "the screen's 400 frames are up";
    frames(5);
    EXPECT_EQ(now_playing(), "none") << "and the title after it is silent too";

    // Enhanced play moves the box off him.
    into_level_1(PlayMode::Enhanced);
    frame();
    EXPECT_FALSE(hidden_by_box());
    EXPECT_EQ(world.dialog_box.box_y, SPEECH_BOX_HIGH_Y);
    past_the_opening();

    // Walking south from the start, the view runs ahead of him and settles with about 9 tiles
    // in sight below him, moving a few pixels a frame at most.
    ASSERT_FLOAT_EQ(hero.body.y, 380);
    int32_t last_y = world.scroll_y;
    for (int i = 0; i < 55; ++i) {
        frame(DOWN);
        EXPECT_LE(std::abs(world.scroll_y - last_y), VIEW_MAX_STEP) << "frame " << i;
        last_y = world.scroll_y;
    }
    EXPECT_GT(world.scroll_y, 0);
    EXPECT_LE(hero.body.y, 200) << "well above the classic 380";

    // Struck down there, he loses a life: the world holds for a beat, then play goes on.
    hero.lives = 3;
    hero.hit_points = 0;  // struck down: the next frame finds him dead
    frame();
    EXPECT_EQ(hero.lives, 2) << "the counter drops as he falls";
    EXPECT_EQ(hero.hit_points, 0);
    const float x = hero.body.x, y = hero.body.y;
    const int32_t scroll_x = world.scroll_x;
    // The beat: the red edge shows at once, and no key moves anything.
    frame(RIGHT);
    EXPECT_GT(pixels_of(nearest_palette_index(DEATH_EDGE_BRIGHT), 0, 0, 640, 8), 640 * 7) << "the screen's top edge flashes";
    EXPECT_GT(pixels_of(nearest_palette_index(DEATH_EDGE_BRIGHT), 0, 200, 8, 280), 8 * 70) << "and its left edge";
    frames(DEATH_BEAT_FRAMES - 2, RIGHT);
    EXPECT_EQ(game.game_state, GAME_STATE_PLAYING);
    EXPECT_EQ(hero.hit_points, 0) << "still down on the beat's last frame but one";
    EXPECT_TRUE(stands_at(hero.body, x, y));
    EXPECT_EQ(world.scroll_x, scroll_x);
    frame(RIGHT);
    EXPECT_EQ(hero.hit_points, HERO_START_HIT_POINTS) << "up again with his hearts back";
    frames(5, RIGHT);
    EXPECT_GT(hero.body.x + static_cast<float>(world.scroll_x), x + static_cast<float>(scroll_x)) << "and he walks on";
    EXPECT_EQ(hero.lives, 2);
}

// A long wander on an open map, with pushes: the view never moves more than VIEW_MAX_STEP pixels
// a frame on an axis, and the hero never leaves the screen.
class ViewOnAnOpenMap : public LoadedWorld {};

TEST_F(ViewOnAnOpenMap, TheViewMovesSmoothlyKeepsTheHeroInSightAndTurnsRoundWithHimWhereClassicPlayKeepsItsBand) {
    play_mode = PlayMode::Enhanced;
    Player& hero = world.player;
    put(hero.body, 200, 380);
    hero.body.xv = hero.body.yv = 4;
    view_at(3000, 3000);
    const int ways[] = {FACING_DOWN, FACING_RIGHT, FACING_UP, FACING_LEFT, MOVE_NONE, FACING_DOWN, FACING_LEFT};
    int32_t last_x = world.scroll_x, last_y = world.scroll_y;
    for (int frame = 0; frame < 3000; ++frame) {
        const int way = ways[(frame / 37 + frame / 101) % 7];
        world.move_player(way, game.current_level);
        // A push now and then, as a blow gives him.
        if (frame % 59 == 0) world.knock_back(&hero.body, TILE_TEST_BODY, frame % 4);
        EXPECT_LE(std::abs(world.scroll_x - last_x), VIEW_MAX_STEP) << "frame " << frame;
        EXPECT_LE(std::abs(world.scroll_y - last_y), VIEW_MAX_STEP) << "frame " << frame;
        ASSERT_GE(hero.body.x, 0) << "frame " << frame;
        ASSERT_LE(hero.body.x, 640 - 32) << "frame " << frame;
        ASSERT_GE(hero.body.y, 0) << "frame " << frame;
        ASSERT_LE(hero.body.y, 480 - 32) << "frame " << frame;
        last_x = world.scroll_x;
        last_y = world.scroll_y;
    }

    // Classic play scrolls under him where he stands; enhanced play's view keeps 9 tiles in sight
    // below him, and turns round with him.
    for (PlayMode mode : {PlayMode::Classic, PlayMode::Enhanced}) {
        play_mode = mode;
        world.scroll_x = world.scroll_y = 3000;
        world.lead_x = world.lead_y = 0;
        put(hero.body, 304, 380);
        for (int i = 0; i < 100; ++i) world.move_player(FACING_DOWN, game.current_level);
        EXPECT_FLOAT_EQ(hero.body.y, mode == PlayMode::Classic ? 380 : 224 - 64) << "walking down, " << play_mode_name(mode);
    }
    for (int i = 0; i < 100; ++i) world.move_player(FACING_UP, game.current_level);
    EXPECT_FLOAT_EQ(hero.body.y, 224 + 64) << "and as many above him once he turns";
    for (int i = 0; i < 100; ++i) world.move_player(FACING_RIGHT, game.current_level);
    EXPECT_FLOAT_EQ(hero.body.x, 304 - 96);
}

