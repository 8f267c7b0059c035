// Lord Hogrand: his spear is thrown 21 frames after the last one came down, straight at the hero
// along the farther axis; every weapon contact is a hit, and ten defeat him.
#include <string>

#include "world_fixture.h"

class SwineBossFight : public LoadedWorld {
protected:
    SwineBoss& boss = world.pools.swine_boss;
    Sprite& spear = world.pools.swine_boss.spear;
    void SetUp() override {
        LoadedWorld::SetUp();
        boss.body.x = 300;
        boss.body.y = 100;
        boss.body.xv = boss.body.yv = 0;
        boss.speed = 0;  // he stands where he is put
        boss.hit_points = 10;
        boss.alive = 1;
        boss.throw_counter = 0;
        show_sprite(&boss.body);
        hide_sprite(&spear);
        world.player.body.x = 40;
        world.player.body.y = 400;
    }
    // Frames until the spear's visibility becomes `shown`, at most `limit`.
    int frames_until_spear(bool shown, int limit) {
        for (int frame = 1; frame <= limit; ++frame) {
            world.update_world();
            if (((spear.attr & SPRITE_ATTR_VISIBLE) != 0) == shown) return frame;
        }
        return -1;
    }
};

TEST_F(SwineBossFight, TheSpearFliesOnTheTwentyFirstFrameAfterItCameDown) {
    EXPECT_EQ(frames_until_spear(true, 100), 21);
    // The hero is farther away down than across: the spear flies down, from 20 pixels left.
    EXPECT_EQ(spear.aux_3, FACING_DOWN);
    EXPECT_EQ(spear.curr_frame, 1);
    EXPECT_FLOAT_EQ(spear.x, 280);
    EXPECT_FLOAT_EQ(spear.y, 110) << "launched at the boss's corner and moved once in that frame";
    EXPECT_EQ(boss.throw_counter, 0);
    const int flight = frames_until_spear(false, 100);
    ASSERT_GT(flight, 0) << "the spear leaves the screen";
    EXPECT_EQ(boss.throw_counter, 0) << "the count waits while the spear flies";
    EXPECT_EQ(frames_until_spear(true, 100), 21);
}

TEST_F(SwineBossFight, ASpearHitPushesTheHeroItsWayAndIsSpent) {
    world.player.body.x = 290;
    world.player.body.y = 300;
    ASSERT_EQ(frames_until_spear(true, 100), 21);
    const int landed = frames_until_spear(false, 30);
    ASSERT_GT(landed, 0);
    EXPECT_EQ(world.player.hit_points, 4);
    EXPECT_FLOAT_EQ(world.player.body.y, 332) << "pushed down, the spear's way";
}

TEST_F(SwineBossFight, ASpearThrownAgainstAWallComesDownAtOnce) {
    wall(3, 8);  // the spear starts 20 pixels left of the boss, over this cell
    for (int round = 0; round < 2; ++round) {
        for (int frame = 1; frame <= 20; ++frame) world.update_world();
        EXPECT_EQ(boss.throw_counter, 20);
        world.update_world();
        EXPECT_EQ(boss.throw_counter, 0) << "thrown on the 21st frame";
        EXPECT_FLOAT_EQ(spear.y, 110) << "launched from the boss's corner";
        EXPECT_FALSE(spear.attr & SPRITE_ATTR_VISIBLE) << "and spent on the wall in the same frame";
    }
}

TEST_F(SwineBossFight, EveryFrameOfSwordContactIsAHitAndTheTenthDefeatsHim) {
    Sprite& sword = world.player.sword;
    show_sprite(&sword);
    sword.aux_3 = FACING_RIGHT;
    for (int frame = 1; frame <= 10; ++frame) {
        sword.x = boss.body.x + 24;
        sword.y = boss.body.y + 24;
        const float x = boss.body.x;
        world.update_world();
        EXPECT_EQ(boss.hit_points, 10 - frame);
        EXPECT_FLOAT_EQ(boss.body.x, x + 32) << "knocked back the sword's way";
        if (frame < 10) {
            EXPECT_FALSE(world.check_deaths());
        }
    }
    EXPECT_TRUE(boss.alive) << "the defeat is handled after the frame's update";
    world.dialog_box.speech_clear();
    EXPECT_FALSE(world.check_deaths());
    EXPECT_FALSE(boss.alive);
    EXPECT_FALSE(boss.body.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_TRUE(world.key_sprite.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_FLOAT_EQ(world.key_sprite.x, boss.body.x + 32);
    ASSERT_NE(world.dialog_box.top, nullptr);
    EXPECT_EQ(std::string(world.dialog_box.top->text), "Take that sweinhund.");
    ASSERT_NE(world.dialog_box.top->next, nullptr);
    EXPECT_EQ(std::string(world.dialog_box.top->next->text), "You are a worthy opponent, I'm Sorry.");
}

TEST_F(SwineBossFight, AFallenBossesSpearFliesOnButNoLongerHurts) {
    ASSERT_EQ(frames_until_spear(true, 100), 21);
    boss.alive = 0;
    world.player.body.x = spear.x + 16;
    world.player.body.y = spear.y + 40;
    const float y = spear.y;
    world.update_world();
    EXPECT_FLOAT_EQ(spear.y, y + 10);
    EXPECT_TRUE(spear.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_EQ(world.player.hit_points, 5);
}
