// Enhanced play's assists (game speed, hearts, reduced flashing) in play, in a recording and its replay, and classic play ignoring them all.

#include "base/assists.h"
#include "test_files.h"
#include "test_game.h"
#include "world/death_beat.h"
#include "world/hit_feedback.h"

class AssistedPlay : public EnhancedWorld {
protected:
    // Pixels of palette index `index` in the screen rectangle of `s`, grown by `margin` all round.
    static int count_on(const Sprite& s, uint8_t index, int margin = 0) {
        const int x = static_cast<int>(s.x), y = static_cast<int>(s.y);
        return pixels_of(index, x - margin, y - margin, x + s.width + margin, y + s.height + margin);
    }
    // One frame with a mole standing on the hero; the hero's hit points after it.
    int touched_by_a_mole() {
        hero.invulnerable = 0;
        put(hero.body, 300, 200);
        place_still(world.pools.moles[0], 310, 200);
        world.update_world();
        world.pools.moles[0].alive = 0;
        return hero.hit_points;
    }
};

TEST(Assists, GameSpeedLengthensTheFrameOnTheFrameClock) {
    for (int64_t frame = 0; frame < 1000; ++frame) ASSERT_EQ(frame_length_ms(100, frame), 30u);
    // 85 %: each frame lasts 30 / 0.85 ms, in whole milliseconds that add up exactly.
    for (const int percent : {85, 70}) {
        uint32_t total = 0;
        for (int64_t frame = 0; frame < percent; ++frame) {
            const uint32_t ms = frame_length_ms(percent, frame);
            EXPECT_TRUE(ms == 3000u / percent || ms == 3000u / percent + 1) << percent << "% frame " << frame << ": " << ms;
            total += ms;
        }
        EXPECT_EQ(total, 3000u) << percent << " frames at " << percent << "% last as long as 100 at full speed";
        EXPECT_EQ(frame_length_ms(percent, int64_t{percent} * 10'000'000 + 3), frame_length_ms(percent, 3)) << "no drift, however long";
    }
}

TEST_F(AssistedPlay, NoDamageKeepsTheHeartsExtraHeartsGiveMoreAndClassicPlayIgnoresEveryAssist) {
    EXPECT_EQ(touched_by_a_mole(), 4) << "without assists a touch costs a heart";

    hero.hit_points = 5;
    assists.hearts = HEARTS_NO_DAMAGE;
    EXPECT_EQ(touched_by_a_mole(), 5) << "no damage";
    EXPECT_TRUE(hero.invulnerable) << "the hit still counts otherwise";
    EXPECT_FLOAT_EQ(hero.body.x, 268) << "and pushes him back";

    assists.hearts = HEARTS_EXTRA;
    EXPECT_EQ(hero_full_hit_points(), HERO_START_HIT_POINTS + EXTRA_HEARTS);
    world.load_level(0);
    EXPECT_EQ(hero.hit_points, 8) << "a level starts with three hearts more";
    EXPECT_EQ(touched_by_a_mole(), 7) << "and a touch costs one of them";
    // Losing a life fills the hearts up to the extra ones again.
    hero.hit_points = 1;
    EXPECT_EQ(touched_by_a_mole(), 0);
    for (int frame = 0; frame < 200 && hero.lives == 3; ++frame) playing_frame();
    for (int frame = 0; frame < 200 && hero.hit_points != 8; ++frame) playing_frame();
    EXPECT_EQ(hero.lives, 2);
    EXPECT_EQ(hero.hit_points, 8);

    // Enhanced play takes the game speed; classic play ignores every assist.
    hero.hit_points = 5;
    assists = Assists{.game_speed = 2, .hearts = HEARTS_NO_DAMAGE, .reduced_flashing = true};
    EXPECT_EQ(game_speed_percent(), 70);
    play_mode = PlayMode::Classic;
    EXPECT_EQ(game_speed_percent(), 100) << "classic play keeps its own pace";
    EXPECT_FALSE(reduced_flashing_assist());
    EXPECT_EQ(touched_by_a_mole(), 4);
    assists.hearts = HEARTS_EXTRA;
    EXPECT_EQ(hero_full_hit_points(), HERO_START_HIT_POINTS);
    world.load_level(0);
    EXPECT_EQ(hero.hit_points, HERO_START_HIT_POINTS);
}

TEST_F(AssistedPlay, ReducedFlashingDrawsAnOutlineInsteadOfWhiteFlashesAndBlinks) {
    const uint8_t white = nearest_palette_index(0xFFFFFF), gold = nearest_palette_index(0x30F0FF);
    Mole& mole = place_still(world.pools.moles[1], 100, 300, 3);
    playing_frame();
    const int white_unhurt = count_on(mole.body, white), gold_unhurt = count_on(mole.body, gold, 1);

    start_hit_flash(mole);
    playing_frame();
    EXPECT_GT(count_on(mole.body, white), white_unhurt + 100) << "a struck enemy flashes white without the assist";
    for (int i = 0; i < HIT_FLASH_FRAMES; ++i) playing_frame();

    assists.reduced_flashing = true;
    start_hit_flash(mole);
    for (int i = 0; i < HIT_FLASH_FRAMES; ++i) {
        playing_frame();
        EXPECT_EQ(count_on(mole.body, white), white_unhurt) << "no white flash, frame " << i;
        EXPECT_EQ(shown(mole.body), 1.0) << "the enemy in his own colours, frame " << i;
        EXPECT_GT(count_on(mole.body, gold, 1), gold_unhurt + 20) << "but outlined, frame " << i;
    }
    playing_frame();
    EXPECT_EQ(count_on(mole.body, gold, 1), gold_unhurt) << "the outline goes with the flash";

    // The hurt hero: in sight and outlined through the whole of his invulnerability.
    hero.invulnerable = 1;
    hero.body.counter_1 = 0;
    for (int frame = 1; frame <= INVULNERABLE_FRAMES; ++frame) {
        playing_frame();
        EXPECT_FALSE(hero_blinked_out(hero));
        EXPECT_EQ(shown(hero.body), 1.0) << "never blinked out, frame " << frame;
        EXPECT_GT(count_on(hero.body, gold, 1), 20) << "outlined, frame " << frame;
    }
    for (int frame = 0; frame < 4; ++frame) playing_frame();
    EXPECT_FALSE(hero.invulnerable);
    const int gold_after = count_on(hero.body, gold, 1);
    hero.invulnerable = 1;
    hero.body.counter_1 = 0;
    playing_frame();
    EXPECT_GT(count_on(hero.body, gold, 1), gold_after + 20) << "the outline marks his invulnerability only";

    // A boss guarded after a blow (clear of the control prompts under the HUD): outlined, not blinked out.
    SwineBoss& boss = place_still(world.pools.swine_boss, 460, 280, 10);
    hide_sprite(&boss.spear);
    for (const bool reduced : {false, true}) {
        assists.reduced_flashing = reduced;
        boss.guard_frames = 2 * HERO_BLINK_FRAMES - 1;  // into a blink
        playing_frame();
        EXPECT_EQ(shown(boss.body) == 1.0, reduced) << "reduced flashing " << reduced;
        EXPECT_EQ(count_on(boss.body, gold, 1) > 20, reduced) << "reduced flashing " << reduced;
    }

    // The beat after a lost life: the screen's edge keeps its dark red, with no bright flash.
    const uint8_t bright = nearest_palette_index(DEATH_EDGE_BRIGHT), dark = nearest_palette_index(DEATH_EDGE_DARK);
    draw_death_beat(world, 0, false);
    EXPECT_EQ(pixels_of(bright, 0, 0, 640, 8), 0);
    EXPECT_GT(pixels_of(dark, 0, 0, 640, 8), 640 * 7);
}

// A classic run with every assist in its header plays exactly as without them; an enhanced one
// takes them (the state report names them, and the extra hearts show).
TEST(Assists, ARecordingsAssistsReplayInEnhancedPlayOnlyAndAWindowRecordingNotesThePlayersAssistsForItsReplay) {
    const std::string keys = "20 -\n1 enter\n5 -\n1 space\n40 -\n30 right\n";
    const std::string assisted = "# game_speed 70\n# hearts extra\n# reduced_flashing on\n" + keys;
    TempDir dir;
    const auto run = [&](const std::string& script, PlayMode mode, std::string& hashes) {
        const HeadlessRun run = run_headless(dir, script, 100, (mode == PlayMode::Enhanced ? "--enhanced" : "--classic") +
                                                                   std::string(" --hashes ") + quoted(dir.file("hashes")));
        EXPECT_EQ(run.exit_status, 0) << run.errors;
        hashes = read_text(dir.file("hashes"));
        return run.state;
    };
    std::string plain_hashes, assisted_hashes;
    const std::string classic = run(keys, PlayMode::Classic, plain_hashes);
    EXPECT_EQ(run(assisted, PlayMode::Classic, assisted_hashes), classic);
    EXPECT_EQ(assisted_hashes, plain_hashes) << "classic frames are the same with assists named";
    EXPECT_EQ(classic.find("assists"), std::string::npos);

    const std::string enhanced = run(keys, PlayMode::Enhanced, plain_hashes);
    EXPECT_EQ(enhanced.find("assists"), std::string::npos) << "no assists, no report of them";
    const std::string helped = run(assisted, PlayMode::Enhanced, assisted_hashes);
    EXPECT_NE(helped.find("\"assists\": {\"game_speed\": 70, \"hearts\": \"extra\", \"reduced_flashing\": true}"), std::string::npos)
        << helped;
    EXPECT_EQ(json_int(helped, "hit_points"), 8) << helped;
    EXPECT_EQ(json_int(helped, "frame"), json_int(enhanced, "frame")) << "headless frames keep their count at any speed";
    EXPECT_NE(assisted_hashes, plain_hashes) << "the extra hearts show";

    // The window records the assists of the player's settings in the header, and a headless
    // replay of the recording alone plays with them.
    std::filesystem::create_directories(dir.file("window_profile"));
    write_text(dir.file("window_profile/settings.ini"), "game_speed = 85\nhearts = no_damage\n");
    // Into play, back to the title, down past NEW GAME to Quit.
    const std::string recorded = dir.file("recorded.txt");
    const ProgramRun window = run_window(dir, "20 -\n1 enter\n5 -\n1 space\n30 -\n1 escape\n5 -\n1 down\n20 -\n1 down\n5 -\n1 enter\n", recorded);
    ASSERT_EQ(window.exit_status, 0) << window.errors;
    const std::string recording = read_text(recorded);
    EXPECT_NE(recording.find("\n# game_speed 85\n# hearts no_damage\n# reduced_flashing off\n"), std::string::npos) << recording;

    const HeadlessRun replay = run_headless(dir, recording, 57);
    ASSERT_EQ(replay.exit_status, 0) << replay.errors;
    EXPECT_EQ(replay.errors, "");
    EXPECT_EQ(json_value(replay.state, "game_state"), "Playing");
    EXPECT_NE(replay.state.find("\"assists\": {\"game_speed\": 85, \"hearts\": \"no_damage\", \"reduced_flashing\": false}"),
              std::string::npos)
        << replay.state;
}
