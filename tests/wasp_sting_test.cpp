// Wasps: the sting cycle, the aim of the stinger, their steering and their three hit points.
#include "actors/projectile.h"
#include "world_fixture.h"

TEST(StingerAim, GoesAlongTheFartherAxisAndATieGoesUpOrDown) {
    Sprite owner{}, hero{};
    owner.x = 100;
    owner.y = 100;
    auto aim = [&](float x, float y) {
        hero.x = x;
        hero.y = y;
        return aim_at_hero(&owner, &hero);
    };
    EXPECT_EQ(aim(0, 60), FACING_LEFT);
    EXPECT_EQ(aim(200, 140), FACING_RIGHT);
    EXPECT_EQ(aim(60, 0), FACING_UP);
    EXPECT_EQ(aim(140, 200), FACING_DOWN);
    EXPECT_EQ(aim(50, 50), FACING_UP) << "exactly diagonal: vertical";
    EXPECT_EQ(aim(150, 150), FACING_DOWN);
    EXPECT_EQ(aim(100, 100), FACING_DOWN) << "on the spot: down";
    EXPECT_EQ(aim(99.5f, 98.5f), FACING_UP) << "whole-pixel differences: 0 across, 1 up";
    EXPECT_EQ(aim(99.5f, 99.5f), FACING_DOWN) << "less than a pixel either way counts as none";
}

class WaspSting : public LoadedWorld {
protected:
    Wasp& wasp = world.pools.wasps[0];
    void SetUp() override {
        LoadedWorld::SetUp();
        world.pools.wasp_count = POOL_SIZE;
        place_still_wasp(wasp, 300, 200, 3);  // it hovers where it is put
        world.player.body.x = 40;
        world.player.body.y = 240;
    }
    bool stinger_out() const { return (wasp.stinger.attr & SPRITE_ATTR_VISIBLE) != 0; }
    int frames_until_stinger(bool out, int limit) {
        for (int frame = 1; frame <= limit; ++frame) {
            world.update_world();
            if (stinger_out() == out) return frame;
        }
        return -1;
    }
};

TEST_F(WaspSting, StingsFortyFiveFramesAfterTheLastStingerCameDown) {
    for (int frame = 1; frame <= 40; ++frame) world.update_world();
    EXPECT_EQ(wasp.sting_cooldown, 40);
    EXPECT_NE(wasp.body.curr_animation, 4);
    world.update_world();
    EXPECT_EQ(wasp.body.curr_animation, 4) << "the sting pose for a wasp facing down";
    EXPECT_FALSE(stinger_out());
    EXPECT_EQ(frames_until_stinger(true, 10), 4) << "the stinger leaves on the 45th frame";
    // The hero is to the left, farther across than down.
    EXPECT_EQ(wasp.stinger.aux_3, FACING_LEFT);
    EXPECT_EQ(wasp.stinger.curr_frame, 3);
    EXPECT_FLOAT_EQ(wasp.stinger.x, 270) << "launched 20 pixels left of the wasp, then moved once";
    EXPECT_FLOAT_EQ(wasp.stinger.y, 200);
    const int cooldown = wasp.sting_cooldown;
    const int flight = frames_until_stinger(false, 60);
    ASSERT_GT(flight, 0);
    EXPECT_EQ(wasp.sting_cooldown, cooldown) << "the cycle waits while the stinger flies";
    EXPECT_EQ(frames_until_stinger(true, 100), 45);
}

TEST_F(WaspSting, AStingerOnTheHeroHurtsHimItsWayAndIsSpent) {
    world.player.body.x = 200;
    world.player.body.y = 200;
    ASSERT_EQ(frames_until_stinger(true, 100), 45);
    ASSERT_EQ(frames_until_stinger(false, 20), 6);
    EXPECT_EQ(world.player.hit_points, 4);
    EXPECT_FLOAT_EQ(world.player.body.x, 168) << "pushed left, the stinger's way";
}

TEST_F(WaspSting, NearTheHeroTheLastStepPicksRowZeroOrOne) {
    wasp.body.counter_1 = 3;
    wasp.body.counter_2 = 0;
    world.player.body.x = 310;  // right of and below the wasp by less than 200: near
    world.player.body.y = 210;
    reset_game_rand();
    update_wasp(&wasp, false, &world.player.body);
    EXPECT_EQ(wasp.pattern, (41 + 5) % 2);
    world.player.body.x = 600;  // 300 to the right: far
    reset_game_rand();
    update_wasp(&wasp, false, &world.player.body);
    EXPECT_EQ(wasp.pattern, (41 + 1) % 4);
}

TEST_F(WaspSting, CommandSixGoesAcrossTowardTheHeroEveryFrame) {
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
}

TEST_F(WaspSting, ThreeHitsKillAWaspAndItsStingerStaysWhereItWas) {
    for (int frame = 1; frame <= 45; ++frame) world.update_world();
    ASSERT_TRUE(stinger_out());
    Sprite& sword = world.player.sword;
    show_sprite(&sword);
    sword.aux_3 = FACING_UP;
    for (int hit = 1; hit <= 3; ++hit) {
        sword.x = wasp.body.x + 8;
        sword.y = wasp.body.y + 8;
        world.update_world();
        EXPECT_EQ(wasp.hit_points, 3 - hit);
    }
    EXPECT_FALSE(wasp.alive);
    EXPECT_FALSE(wasp.body.attr & SPRITE_ATTR_VISIBLE);
    ASSERT_TRUE(stinger_out()) << "the kill hides the body only";
    const float x = wasp.stinger.x;
    world.update_world();
    EXPECT_FLOAT_EQ(wasp.stinger.x, x) << "no longer moved";
}

TEST_F(WaspSting, CommandSevenMakesItTrembleInPlaceUntilItsNextCommand) {
    wasp.speed = 3;
    wasp.command = MOVE_REVERSE;
    wasp.body.xv = 3;
    wasp.body.counter_2 = 0;  // no new command before the tick reaches 16
    for (int frame = 1; frame <= 15; ++frame) {
        world.update_world();
        EXPECT_FLOAT_EQ(wasp.body.x, frame % 2 ? 297 : 300) << "reversed again on frame " << frame;
    }
}
