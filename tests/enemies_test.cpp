// Moles, pigs and wasps: their command-table steering on the fixed random sequence, the wasps' sting cycle, stinger aim and sound, and their blows.
#include "actors/projectile.h"
#include "audio/sound_ids.h"
#include "test_game.h"

class Steering : public LoadedWorld {
protected:
    Sprite hero, hero_far;  // hero_far: right of and below the enemy by far more than 50 pixels
    Steering() { put(hero_far, 1000, 1000); }
    // `enemy` at (x, y) with `speed`, on step `step` of row `pattern` of his move table, his
    // command tick at `tick`, with no command taken yet.
    template <class Enemy>
    static Enemy& steered(Enemy& enemy, float x, float y, int speed, int pattern, int step, int tick) {
        place(enemy, x, y);
        enemy.speed = speed;
        enemy.pattern = pattern;
        enemy.command = MOVE_STOP;
        enemy.body.counter_1 = step;
        enemy.body.counter_2 = tick;
        return enemy;
    }
};

TEST_F(Steering, AMoleTakesItsNextCommandAtTick16OrAtAWallKeepsItNearTheHeroAndMovesAtItsSpeedAndAPigKeepsItsVelocityOnCommandSix) {
    Mole& m = steered(world.pools.moles[0], 100, 100, 2, 0, 0, 14);
    update_mole(&m, false, &hero_far);
    EXPECT_EQ(m.command, MOVE_STOP) << "tick 15: nothing new";
    update_mole(&m, false, &hero_far);
    EXPECT_EQ(m.command, MOVE_DOWN) << "row 0, step 0";
    EXPECT_FLOAT_EQ(m.body.yv, 2);
    EXPECT_FLOAT_EQ(m.body.xv, 0);
    EXPECT_EQ(m.body.counter_1, 1);
    for (int i = 0; i < 31; ++i) update_mole(&m, false, &hero_far);
    EXPECT_EQ(m.command, MOVE_DOWN) << "31 frames later still the same command";
    update_mole(&m, false, &hero_far);
    EXPECT_EQ(m.command, MOVE_STOP) << "every 32 frames: row 0, step 1";
    EXPECT_FLOAT_EQ(m.body.yv, 0);

    steered(m, 300, 300, 2, 0, 0, 15);
    m.command = MOVE_RIGHT;
    // 100 pixels left and 200 above counts as near: both signed differences are below 50.
    put(hero, 200, 100);
    update_mole(&m, false, &hero);
    EXPECT_EQ(m.command, MOVE_RIGHT);
    EXPECT_FLOAT_EQ(m.body.xv, 2);
    // 60 pixels to the right is not near.
    put(hero, 360, 300);
    m.body.counter_2 = 15;
    update_mole(&m, false, &hero);
    EXPECT_EQ(m.command, MOVE_DOWN);

    steered(m, 100, 100, 2, 0, 0, 3);
    m.body.xv = 2;
    update_mole(&m, true, &hero_far);
    EXPECT_FLOAT_EQ(m.body.x, 98) << "reversed and stepped back once";
    EXPECT_EQ(m.command, MOVE_DOWN) << "a wall takes a command whatever the tick";
    EXPECT_FLOAT_EQ(m.body.xv, 0);
    EXPECT_FLOAT_EQ(m.body.yv, 2);
    // Near the hero (at 0, 0) it reverses and steps back but walks into the wall again.
    steered(m, 100, 100, 2, 0, 0, 3);
    m.command = MOVE_RIGHT;
    m.body.xv = 2;
    put(hero, 0, 0);
    update_mole(&m, true, &hero);
    EXPECT_FLOAT_EQ(m.body.x, 98);
    EXPECT_FLOAT_EQ(m.body.xv, 2);

    // Commands set the velocity from the speed, and a mole of speed zero never walks.
    steered(m, 100, 100, 3, 0, 0, 0);
    put(hero, 100, 150);  // equal across: across goes left
    apply_move_command(&m, MOVE_TOWARD_HERO_ACROSS, &hero);
    EXPECT_FLOAT_EQ(m.body.xv, -3);
    apply_move_command(&m, MOVE_TOWARD_HERO_UP_DOWN, &hero);
    EXPECT_FLOAT_EQ(m.body.yv, 3);
    EXPECT_FLOAT_EQ(m.body.xv, 0);
    apply_move_command(&m, MOVE_REVERSE, &hero);
    EXPECT_FLOAT_EQ(m.body.yv, -3);
    apply_move_command(&m, 8, &hero);
    EXPECT_FLOAT_EQ(m.body.yv, -3) << "unknown commands change nothing";

    steered(m, 100, 100, 0, 0, 0, 0);
    for (int i = 0; i < 200; ++i) {
        update_mole(&m, false, &hero_far);
        update_enemy_sprite(&m);
    }
    EXPECT_TRUE(stands_at(m.body, 100, 100));

    // A pig acts only when its tick reaches 16, keeps its velocity on command 6 and falls to two hits.
    // Row 0 step 3 is "toward the hero across", taken when the tick reaches 16.
    put(hero, 500, 0);
    Pig& p = steered(world.pools.pigs[0], 100, 100, 3, 0, 2, 15);
    update_pig(&p, false, &hero);
    EXPECT_EQ(p.command, MOVE_RIGHT);
    EXPECT_FLOAT_EQ(p.body.xv, 3);
    hero.x = 0;  // the hero moves to the other side; the pig does not turn until its next command
    for (int i = 0; i < 31; ++i) update_pig(&p, false, &hero);
    EXPECT_FLOAT_EQ(p.body.xv, 3);
    reset_game_rand();  // step 3 draws the row: (41 + 1) mod 4 = 2
    update_pig(&p, false, &hero);
    EXPECT_EQ(p.pattern, 2);
    EXPECT_EQ(p.command, MOVE_TOWARD_HERO_ACROSS) << "row 2, step 3";
    EXPECT_FLOAT_EQ(p.body.xv, -3);

    // Command 6 leaves the velocity; a wall takes the next command.
    steered(p, 100, 100, 2, 1, 0, 3);
    p.body.xv = 2;
    update_pig(&p, true, &hero);
    EXPECT_FLOAT_EQ(p.body.x, 98) << "reversed and stepped back";
    EXPECT_EQ(p.command, MOVE_TOWARD_HERO_UP_DOWN);
    EXPECT_FLOAT_EQ(p.body.xv, -2) << "command 6 leaves the reversed velocity";
    EXPECT_FLOAT_EQ(p.body.yv, 0);

    put(world.player.body, 300, 400);
    place_still(p, 340, 200, 2);
    EXPECT_EQ(strike(p), 1);
    EXPECT_TRUE(p.alive);
    p.body.y = 200;
    EXPECT_EQ(strike(p), 1);
    EXPECT_FALSE(p.alive);
    EXPECT_FALSE(p.body.attr & SPRITE_ATTR_VISIBLE);
}

TEST(Launch, AStingerGoesAlongTheFartherAxisATieGoesUpOrDownAndItSoundsFullOnTheScreenFadingPastItsEdgeSilentFarOff) {
    Sprite owner{}, hero{};
    put(owner, 100, 100);
    auto aim = [&](float x, float y) { return aim_at_hero(&owner, &put(hero, x, y)); };
    EXPECT_EQ(aim(0, 60), FACING_LEFT);
    EXPECT_EQ(aim(200, 140), FACING_RIGHT);
    EXPECT_EQ(aim(60, 0), FACING_UP);
    EXPECT_EQ(aim(140, 200), FACING_DOWN);
    EXPECT_EQ(aim(50, 50), FACING_UP) << "exactly diagonal: vertical";
    EXPECT_EQ(aim(150, 150), FACING_DOWN);
    EXPECT_EQ(aim(100, 100), FACING_DOWN) << "on the spot: down";
    EXPECT_EQ(aim(99.5f, 98.5f), FACING_UP) << "whole-pixel differences: 0 across, 1 up";
    EXPECT_EQ(aim(99.5f, 99.5f), FACING_DOWN) << "less than a pixel either way counts as none";

    owner.width = owner.height = 32;  // a wasp launching at full volume on the screen
    auto at = [&](float x, float y) { return launch_volume(&put(owner, x, y)); };
    EXPECT_EQ(at(300, 200), 100);
    EXPECT_EQ(at(-20, 470), 100) << "partly on the screen";
    EXPECT_EQ(at(640 + 8, 200), 47) << "just past the right edge: half loud";
    EXPECT_EQ(at(100, -32 - 80), 25) << "halfway out above";
    EXPECT_EQ(at(640 + 160, 200), 0);
    EXPECT_EQ(at(100, 480 + 500), 0);
}

class WaspSting : public LoadedWorld {
protected:
    Wasp& wasp = world.pools.wasps[0];
    void SetUp() override {
        LoadedWorld::SetUp();
        world.pools.wasp_count = POOL_SIZE;
        place_stinging(wasp, 300, 200, 3);  // it hovers where it is put
        put(world.player.body, 40, 240);
    }
    // Two wasps ready to sting, one on the screen and one 900 pixels right of it: the stings heard.
    long stings_heard() {
        sound_ids.arrow = load_wav("arrow.WAV", SOUND_CREATE_CONTROLS);
        place_stinging(world.pools.wasps[1], 1540, 200, 3);
        for (int frame = 0; frame < 45; ++frame) world.update_world();
        // Both have stung (the far one's stinger came down at once, off the screen).
        EXPECT_EQ(wasp.sting_cooldown, 0);
        EXPECT_EQ(world.pools.wasps[1].sting_cooldown, 0);
        const long heard = plays("arrow.WAV");
        delete_all_sounds();
        return heard;
    }
};

TEST_F(WaspSting, StingsFortyFiveFramesAfterTheLastStingerCameDownFallsToThreeHitsAndEnhancedPlayHearsOnlyStingsOnTheScreen) {
    for (int frame = 1; frame <= 40; ++frame) world.update_world();
    EXPECT_EQ(wasp.sting_cooldown, 40);
    EXPECT_NE(wasp.body.curr_animation, 4);
    world.update_world();
    EXPECT_EQ(wasp.body.curr_animation, 4) << "the sting pose for a wasp facing down";
    EXPECT_FALSE(visible(wasp.stinger));
    EXPECT_EQ(updates_until(wasp.stinger, true, 10), 4) << "the stinger leaves on the 45th frame";
    // The hero is to the left, farther across than down.
    EXPECT_EQ(wasp.stinger.aux_3, FACING_LEFT);
    EXPECT_EQ(wasp.stinger.curr_frame, 3);
    EXPECT_TRUE(stands_at(wasp.stinger, 270, 200)) << "launched 20 pixels left of the wasp, then moved once";
    const int cooldown = wasp.sting_cooldown;
    const int flight = updates_until(wasp.stinger, false, 60);
    ASSERT_GT(flight, 0);
    EXPECT_EQ(wasp.sting_cooldown, cooldown) << "the cycle waits while the stinger flies";
    EXPECT_EQ(updates_until(wasp.stinger, true, 100), 45);

    // Three hits kill it, and its stinger stays where it was.
    for (int hit = 1; hit <= 3; ++hit) EXPECT_EQ(strike(wasp), 1) << "blow " << hit;
    EXPECT_FALSE(wasp.alive);
    EXPECT_FALSE(wasp.body.attr & SPRITE_ATTR_VISIBLE);
    ASSERT_TRUE(visible(wasp.stinger)) << "the kill hides the body only";
    const float x = wasp.stinger.x;
    world.update_world();
    EXPECT_FLOAT_EQ(wasp.stinger.x, x) << "no longer moved";

    // Classic play hears every sting on the map, enhanced play only the one on the screen.
    place_stinging(wasp, 300, 200, 3);
    const long classic = stings_heard();  // the report counts every play since start-up
    EXPECT_EQ(classic, 2);
    play_mode = PlayMode::Enhanced;
    place_stinging(wasp, 300, 200, 3);
    EXPECT_EQ(stings_heard() - classic, 1);
}

TEST_F(WaspSting, AStingerOnTheHeroHurtsHimItsWayCommandSixGoesAcrossTowardHimEveryFrameAndSevenTrembles) {
    put(world.player.body, 200, 200);
    ASSERT_EQ(updates_until(wasp.stinger, true, 100), 45);
    ASSERT_EQ(updates_until(wasp.stinger, false, 20), 6);
    EXPECT_EQ(world.player.hit_points, 4);
    EXPECT_FLOAT_EQ(world.player.body.x, 168) << "pushed left, the stinger's way";

    wasp.speed = 3;
    wasp.body.counter_1 = 0;
    wasp.body.counter_2 = 15;
    // Far from the hero the row is (r + 1) mod 4; the fourth number, 26500, gives row 1,
    // whose first step is command 6.
    reset_game_rand();
    for (int i = 0; i < 3; ++i) game_rand();
    update_wasp(&wasp, false, &world.player.body);
    EXPECT_EQ(wasp.command, MOVE_TOWARD_HERO_UP_DOWN);
    EXPECT_FLOAT_EQ(wasp.body.xv, -3) << "toward the hero's side, across";
    EXPECT_FLOAT_EQ(wasp.body.yv, 0);
    world.player.body.x = 500;
    update_wasp(&wasp, false, &world.player.body);
    EXPECT_FLOAT_EQ(wasp.body.xv, 3) << "the command is applied again on every frame";

    // Command 7 makes it tremble in place until its next command.
    place_stinging(wasp, 300, 200, 3);
    wasp.speed = 3;
    wasp.command = MOVE_REVERSE;
    wasp.body.xv = 3;
    wasp.body.counter_2 = 0;  // no new command before the tick reaches 16
    for (int frame = 1; frame <= 15; ++frame) {
        world.update_world();
        EXPECT_FLOAT_EQ(wasp.body.x, frame % 2 ? 297 : 300) << "reversed again on frame " << frame;
    }
}

