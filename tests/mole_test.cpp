// The mole's command-table steering, driven by the game's fixed random sequence.
#include "world_fixture.h"

class MoleSteering : public LoadedWorld {
protected:
    Sprite hero_far;  // right of and below the mole by far more than 50 pixels
    void SetUp() override {
        LoadedWorld::SetUp();
        hero_far.x = 1000;
        hero_far.y = 1000;
    }
    Mole& mole_at(float x, float y, int speed, int step, int tick) {
        Mole& m = place_mole(0, x, y);
        m.speed = speed;
        m.pattern = 0;
        m.command = MOVE_STOP;
        m.body.counter_1 = step;
        m.body.counter_2 = tick;
        return m;
    }
};

TEST_F(MoleSteering, LoadingDrawsPhaseTickAndSpeedInThatOrder) {
    // The fixture loaded the moles first after a fresh random sequence: 41, 18467, 6334, ...
    const Mole& first = world.pools.moles[0];
    EXPECT_EQ(first.body.counter_1, 41 % 4);
    EXPECT_EQ(first.body.counter_2, 18467 % 5);
    EXPECT_EQ(first.speed, 6334 % 3);
    EXPECT_EQ(world.pools.moles[1].body.counter_1, 26500 % 4);
    EXPECT_FLOAT_EQ(first.body.x, 1500);
}

TEST_F(MoleSteering, TakesTheNextCommandWhenTheTickReaches16) {
    Mole& m = mole_at(100, 100, 2, 0, 14);
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
}

TEST_F(MoleSteering, StepThreeDrawsANewRowFromTheRandomSequence) {
    Mole& m = mole_at(100, 100, 2, 3, 15);
    reset_game_rand();
    game_rand();
    game_rand();  // the next number is 6334: row (6334 + 1) mod 6 = 5
    update_mole(&m, false, &hero_far);
    EXPECT_EQ(m.pattern, 5);
    EXPECT_EQ(m.command, MOVE_LEFT) << "row 5, step 3";
    EXPECT_FLOAT_EQ(m.body.xv, -2);
    EXPECT_EQ(m.body.counter_1, 0);
    EXPECT_EQ(game_rand(), 26500) << "exactly one number was drawn";
}

TEST_F(MoleSteering, NearTheHeroItKeepsItsCommand) {
    Mole& m = mole_at(300, 300, 2, 0, 15);
    m.command = MOVE_RIGHT;
    // 100 pixels left and 200 above counts as near: both signed differences are below 50.
    Sprite hero;
    hero.x = 200;
    hero.y = 100;
    update_mole(&m, false, &hero);
    EXPECT_EQ(m.command, MOVE_RIGHT);
    EXPECT_FLOAT_EQ(m.body.xv, 2);
    // 60 pixels to the right is not near.
    hero.x = 360;
    hero.y = 300;
    m.body.counter_2 = 15;
    update_mole(&m, false, &hero);
    EXPECT_EQ(m.command, MOVE_DOWN);
}

TEST_F(MoleSteering, AWallTurnsItBackOneStepAndPicksTheNextCommand) {
    Mole& m = mole_at(100, 100, 2, 0, 3);
    m.body.xv = 2;
    update_mole(&m, true, &hero_far);
    EXPECT_FLOAT_EQ(m.body.x, 98) << "reversed and stepped back once";
    EXPECT_EQ(m.command, MOVE_DOWN) << "a wall takes a command whatever the tick";
    EXPECT_FLOAT_EQ(m.body.xv, 0);
    EXPECT_FLOAT_EQ(m.body.yv, 2);
    // Near the hero it reverses and steps back but walks into the wall again.
    Mole& n = mole_at(100, 100, 2, 0, 3);
    n.command = MOVE_RIGHT;
    n.body.xv = 2;
    Sprite hero;  // at (0, 0): near
    update_mole(&n, true, &hero);
    EXPECT_FLOAT_EQ(n.body.x, 98);
    EXPECT_FLOAT_EQ(n.body.xv, 2);
}

TEST_F(MoleSteering, ASpeedZeroMoleNeverWalks) {
    Mole& m = mole_at(100, 100, 0, 0, 0);
    for (int i = 0; i < 200; ++i) {
        update_mole(&m, false, &hero_far);
        update_enemy_sprite(&m);
    }
    EXPECT_FLOAT_EQ(m.body.x, 100);
    EXPECT_FLOAT_EQ(m.body.y, 100);
}

TEST_F(MoleSteering, CommandsSetTheVelocityFromTheSpeed) {
    Mole& m = mole_at(100, 100, 3, 0, 0);
    Sprite hero;
    hero.x = 100;  // equal: across goes left
    hero.y = 150;
    apply_move_command(&m, MOVE_TOWARD_HERO_ACROSS, &hero);
    EXPECT_FLOAT_EQ(m.body.xv, -3);
    apply_move_command(&m, MOVE_TOWARD_HERO_UP_DOWN, &hero);
    EXPECT_FLOAT_EQ(m.body.yv, 3);
    EXPECT_FLOAT_EQ(m.body.xv, 0);
    apply_move_command(&m, MOVE_REVERSE, &hero);
    EXPECT_FLOAT_EQ(m.body.yv, -3);
    apply_move_command(&m, 8, &hero);
    EXPECT_FLOAT_EQ(m.body.yv, -3) << "unknown commands change nothing";
}
