// Enhanced play through the real playing frame: blinking, drawing order, struck bosses and their bar, corner sliding, the world behind the speech box.
#include "world/hit_feedback.h"
#include "world/story.h"
#include "test_game.h"

using EnhancedPlay = EnhancedWorld;

TEST_F(EnhancedPlay, TheHeroBlinksThroughHisInvulnerabilityOnlyAndIsDrawnOverAMoleOnTopOfHim) {
    hero.invulnerable = 1;
    hero.body.counter_1 = 0;
    Blinks blinks;
    for (int frame = 1; frame <= INVULNERABLE_FRAMES; ++frame) {
        playing_frame();
        const bool seen = shown(hero.body) > 0.99;
        EXPECT_EQ(seen, !hero_blinked_out(hero)) << "frame " << frame;
        blinks.note(seen);
    }
    EXPECT_GE(blinks.hidden, INVULNERABLE_FRAMES / 3) << "he blinks, not flickers once";
    EXPECT_LE(blinks.longest, HERO_BLINK_FRAMES) << "and is never gone for long";
    for (int frame = 0; frame < 4; ++frame) playing_frame();
    EXPECT_FALSE(hero.invulnerable);
    EXPECT_GT(shown(hero.body), 0.99) << "once he can be hurt again he stays in sight";

    play_mode = PlayMode::Classic;
    hero.invulnerable = 1;
    hero.body.counter_1 = 0;
    for (int frame = 1; frame <= 8; ++frame) {
        playing_frame();
        EXPECT_GT(shown(hero.body), 0.99) << "classic play never hides him, frame " << frame;
    }

    // Freshly hit, so the mole cannot hurt him and he is in a shown phase of the blink.
    for (PlayMode mode : {PlayMode::Classic, PlayMode::Enhanced}) {
        play_mode = mode;
        hero.invulnerable = 1;
        hero.body.counter_1 = 0;
        place_still(world.pools.moles[0], hero.body.x, hero.body.y);
        playing_frame();
        if (mode == PlayMode::Enhanced)
            EXPECT_GT(shown(hero.body), 0.99);
        else
            EXPECT_LT(shown(hero.body), 0.5) << "classic play hides him under the mole";
    }
}

TEST_F(EnhancedPlay, AStruckBossFlashesWhiteBlinksThroughHisGuardAndHisBarShrinks) {
    SwineBoss& boss = place_still(world.pools.swine_boss, 300, 80, 10);
    hide_sprite(&boss.spear);
    const uint8_t red = nearest_palette_index(0x2020D0), white = nearest_palette_index(0xFFFFFF);
    auto bar = [&] { return pixels_of(red, 0, 455, 640, 456); };
    auto whites = [&] {
        return pixels_of(white, static_cast<int>(boss.body.x), static_cast<int>(boss.body.y), static_cast<int>(boss.body.x) + 64,
                     static_cast<int>(boss.body.y) + 64);
    };

    playing_frame();
    EXPECT_EQ(bar(), 0) << "no bar before his meeting lines";
    world.boss_taunt_shown = 1;
    playing_frame();
    EXPECT_EQ(bar(), 240) << "a full bar while he stands unhurt on screen";
    const int white_unhurt = whites();

    swing_up_into(boss);
    ASSERT_EQ(boss.hit_points, 9);
    EXPECT_EQ(bar(), 216) << "nine tenths of the bar";
    EXPECT_GT(whites(), white_unhurt + 500) << "the struck boss is drawn white";
    hero.body.y = 400;  // out of reach
    playing_frame();
    EXPECT_LT(whites(), white_unhurt + 50) << "then in his colours, flashing";
    for (int i = 0; i < HIT_FLASH_FRAMES; ++i) playing_frame();
    EXPECT_EQ(boss.flash_frames, 0);

    boss.body.x = 900;  // off screen: no bar
    playing_frame();
    EXPECT_EQ(bar(), 0);
    take_out(boss);

    MoleBoss& mole = place_still(world.pools.mole_boss, 300, 80, 5);
    world.boss_taunt_shown = 1;
    playing_frame();
    EXPECT_EQ(bar(), 240) << "Dorvik Mole's bar, full";
    take_out(mole);

    WaspBoss& wasp = place_still(world.pools.wasp_boss, 300, 200, 15);  // clear of the control prompts
    world.boss_taunt_shown = 0;  // his bar comes with the first blow, as with an arrow from afar
    swing_up_into(wasp);
    ASSERT_EQ(wasp.hit_points, 14);
    EXPECT_EQ(bar(), 224) << "King Vespro's bar, fourteen fifteenths";
    hero.body.y = 420;  // out of reach
    Blinks blinks;
    while (wasp.guard_frames > 0) {
        playing_frame();
        blinks.note(shown(wasp.body) > 0.9);
    }
    EXPECT_GE(blinks.hidden, boss_guard_frames(3) / 3) << "he blinks while he cannot be hurt";
    EXPECT_LE(blinks.longest, HERO_BLINK_FRAMES) << "and is never gone for long";
    for (int frame = 0; frame < 4; ++frame) {
        playing_frame();
        EXPECT_GT(shown(wasp.body), 0.9) << "in sight once he can be hurt again, frame " << frame;
    }
}

TEST_F(EnhancedPlay, TheHeroSlidesRoundATileCornerThatStopsTheClassicHeroAndTheFrozenWorldAndASpaceHintShowBehindTheSpeechBox) {
    // A wall tile at x 160..191, y 160..191; the hero below it overlaps its column by 6 pixels.
    wall(5, 5);
    for (PlayMode mode : {PlayMode::Classic, PlayMode::Enhanced}) {
        play_mode = mode;
        put(hero.body, 186, 196);
        for (int i = 0; i < 20; ++i) world.move_player(FACING_UP, game.current_level);
        if (mode == PlayMode::Classic) {
            EXPECT_TRUE(stands_at(hero.body, 186, 192)) << "stopped dead by the corner";
        } else {
            EXPECT_FLOAT_EQ(hero.body.x, 192) << "slid just clear of the corner";
            EXPECT_LT(hero.body.y, 150) << "and walked on past it";
            EXPECT_EQ(hero.body.aux_3, FACING_UP);
        }
    }
    // Overlapping by more than 8 pixels he is stopped, in enhanced play too.
    put(hero.body, 182, 196);
    for (int i = 0; i < 10; ++i) world.move_player(FACING_UP, game.current_level);
    EXPECT_TRUE(stands_at(hero.body, 182, 192));
    // Walking left into the wall's lower corner he slides down, clear of it.
    put(hero.body, 196, 186);
    for (int i = 0; i < 10; ++i) world.move_player(FACING_LEFT, game.current_level);
    EXPECT_FLOAT_EQ(hero.body.y, 192);
    EXPECT_LT(hero.body.x, 170);

    // The frozen world and a Space hint show behind the speech box in enhanced play.
    put(hero.body, 300, 200);
    Mole& m = place_still(world.pools.moles[0], 400, 200);
    world.dialog_box.speech_push(0, "I will save you guys.");
    const int hint_x = SPEECH_BOX_X + SPEECH_BOX_WIDTH - 64 - 10, hint_y = SPEECH_BOX_Y + SPEECH_BOX_HEIGHT - 24 - 8;
    for (PlayMode mode : {PlayMode::Classic, PlayMode::Enhanced}) {
        play_mode = mode;
        playing_frame();
        const bool enhanced = mode == PlayMode::Enhanced;
        EXPECT_EQ(shown(hero.body) > 0.99, enhanced);
        EXPECT_EQ(shown(m.body) > 0.99, enhanced);
        EXPECT_EQ(shown(world.life_sprite) > 0.99, enhanced) << "the HUD";
        put(space_hint, static_cast<float>(hint_x), static_cast<float>(hint_y));
        EXPECT_EQ(shown(space_hint) > 0.99, enhanced) << "the Space hint";
    }
    EXPECT_FLOAT_EQ(m.body.x, 400) << "nothing moves while the line is up";
    EXPECT_FALSE(world.dialog_box.speech_is_idle());
}

