// The pig: it acts only on the frame that takes a command, ignores command 6, takes two hits.
#include "world_fixture.h"

class PigSteering : public LoadedWorld {
protected:
    Sprite hero;
    Pig& pig_at(float x, float y, int speed, int pattern, int step, int tick) {
        Pig& p = world.pools.pigs[0];
        p.body.x = x;
        p.body.y = y;
        p.body.xv = p.body.yv = 0;
        show_sprite(&p.body);
        p.alive = 1;
        p.hit_points = 2;
        p.speed = speed;
        p.pattern = pattern;
        p.body.counter_1 = step;
        p.body.counter_2 = tick;
        return p;
    }
};

TEST_F(PigSteering, ActsOnlyWhenItsTickReaches16) {
    // Row 0 step 3 is "toward the hero across", taken when the tick reaches 16.
    hero.x = 500;
    Pig& p = pig_at(100, 100, 3, 0, 2, 15);
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
}

TEST_F(PigSteering, CommandSixKeepsTheVelocityAndAWallTakesTheNextCommand) {
    Pig& p = pig_at(100, 100, 2, 1, 0, 3);
    p.body.xv = 2;
    update_pig(&p, true, &hero);
    EXPECT_FLOAT_EQ(p.body.x, 98) << "reversed and stepped back";
    EXPECT_EQ(p.command, MOVE_TOWARD_HERO_UP_DOWN);
    EXPECT_FLOAT_EQ(p.body.xv, -2) << "command 6 leaves the reversed velocity";
    EXPECT_FLOAT_EQ(p.body.yv, 0);
}

TEST_F(PigSteering, TwoHitsKillAPig) {
    Player& hero_rec = world.player;
    hero_rec.body.x = 300;
    hero_rec.body.y = 400;
    Pig& p = pig_at(340, 200, 0, 0, 0, 0);
    show_sprite(&hero_rec.sword);
    hero_rec.sword.x = 332;
    hero_rec.sword.y = 216;
    hero_rec.sword.aux_3 = FACING_UP;
    world.update_world();
    EXPECT_EQ(p.hit_points, 1);
    EXPECT_TRUE(p.alive);
    p.body.y = 200;
    world.update_world();
    EXPECT_FALSE(p.alive);
    EXPECT_FALSE(p.body.attr & SPRITE_ATTR_VISIBLE);
}
