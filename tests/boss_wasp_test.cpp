// King Vespro: the wasp at double size, stinging like a wasp, with fifteen hit points.
#include <string>

#include "world_fixture.h"

class WaspBossFight : public LoadedWorld {
protected:
    WaspBoss& boss = world.pools.wasp_boss;
    void SetUp() override {
        LoadedWorld::SetUp();
        place_still_wasp(boss, 300, 100, 15);
        world.player.body.x = 40;
        world.player.body.y = 400;
    }
    bool stinger_out() const { return (boss.stinger.attr & SPRITE_ATTR_VISIBLE) != 0; }
};

TEST_F(WaspBossFight, StingsFromHisCornerFortyFiveFramesAfterTheLastStinger) {
    int frame = 0;
    while (!stinger_out() && frame < 100) {
        world.update_world();
        ++frame;
    }
    EXPECT_EQ(frame, 45);
    EXPECT_EQ(boss.stinger.aux_3, FACING_DOWN) << "the hero is farther down than across";
    EXPECT_EQ(boss.stinger.curr_frame, 1);
    EXPECT_FLOAT_EQ(boss.stinger.x, 280);
    EXPECT_FLOAT_EQ(boss.stinger.y, 110);
}

TEST_F(WaspBossFight, HeLeavesHisStingPoseWhenHeTurns) {
    for (int frame = 0; frame < 45; ++frame) world.update_world();
    ASSERT_EQ(boss.body.curr_animation, 4);
    // He flies off to the left on his next frames.
    boss.speed = 3;
    boss.command = MOVE_LEFT;
    boss.body.counter_2 = 0;
    world.update_world();
    EXPECT_EQ(boss.body.curr_animation, FACING_LEFT);
    EXPECT_EQ(boss.body.aux_3, FACING_LEFT);
}

TEST_F(WaspBossFight, FifteenHitsDefeatHimAndHisStingerIsLeftWhereItWas) {
    for (int frame = 0; frame < 45; ++frame) world.update_world();
    ASSERT_TRUE(stinger_out());
    Sprite& sword = world.player.sword;
    show_sprite(&sword);
    sword.aux_3 = FACING_UP;
    for (int hit = 1; hit <= 15; ++hit) {
        sword.x = boss.body.x + 24;
        sword.y = boss.body.y + 24;
        world.update_world();
        ASSERT_EQ(boss.hit_points, 15 - hit);
    }
    world.dialog_box.speech_clear();
    EXPECT_FALSE(world.check_deaths());
    EXPECT_FALSE(boss.alive);
    ASSERT_NE(world.dialog_box.top, nullptr);
    EXPECT_EQ(std::string(world.dialog_box.top->text), "I finally put an end to your evil reign.");
    EXPECT_TRUE(world.key_sprite.attr & SPRITE_ATTR_VISIBLE);
    const float y = boss.stinger.y;
    world.update_world();
    EXPECT_FLOAT_EQ(boss.stinger.y, y) << "a fallen boss's stinger is no longer moved";
}
