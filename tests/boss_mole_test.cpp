// The mole boss: a hit stuns him, he digs in, roams as a mound chasing the hero, and comes up.
#include "world_fixture.h"

namespace {

// How many numbers to draw from a fresh sequence so that the next one r gives an underground
// time (r + 200) mod 500 of `frames`.
int draws_before_underground_time(int frames) {
    reset_game_rand();
    for (int n = 0;; ++n)
        if ((game_rand() + 200) % 500 == frames) return n;
}

}  // namespace

class MoleBossFight : public LoadedWorld {
protected:
    MoleBoss& boss = world.pools.mole_boss;
    void SetUp() override {
        LoadedWorld::SetUp();
        boss.body.x = 300;
        boss.body.y = 100;
        boss.body.xv = boss.body.yv = 0;
        boss.hit_points = 5;
        boss.alive = 1;
        show_sprite(&boss.body);
        world.player.body.x = 40;
        world.player.body.y = 400;
    }
    // The hero's sword held over the boss's middle for this frame, swung upwards.
    void sword_on_boss() {
        Sprite& sword = world.player.sword;
        show_sprite(&sword);
        sword.x = boss.body.x + 24;
        sword.y = boss.body.y + 24;
        sword.aux_3 = FACING_UP;
    }
    // One frame with the sword on the boss; returns whether it took a hit point.
    bool frame_with_sword() {
        const int32_t before = boss.hit_points;
        sword_on_boss();
        world.update_world();
        return boss.hit_points < before;
    }
};

TEST_F(MoleBossFight, AHitStunsHimAndHeDigsInAfterThirtyFrames) {
    ASSERT_TRUE(frame_with_sword());
    EXPECT_TRUE(boss.hurt);
    EXPECT_EQ(boss.hurt_timer, 32);
    EXPECT_EQ(boss.body.curr_animation, MOLE_BOSS_ANIM_STUNNED);
    EXPECT_FLOAT_EQ(boss.body.y, 68) << "knocked back 32 pixels the way the sword swung";
    for (int frame = 1; frame <= 29; ++frame) {
        EXPECT_FALSE(frame_with_sword()) << "no hit while stunned, frame " << frame;
        EXPECT_FALSE(boss.underground) << "frame " << frame;
        EXPECT_FLOAT_EQ(boss.body.xv, 0);
        EXPECT_FLOAT_EQ(boss.body.yv, 0);
    }
    EXPECT_FALSE(frame_with_sword());
    EXPECT_TRUE(boss.underground) << "the 30th frame after the hit digs in";
    EXPECT_TRUE(boss.hurt);
    EXPECT_EQ(boss.body.curr_animation, MOLE_BOSS_ANIM_DIGGING);
    EXPECT_EQ(boss.hit_points, 4);
}

TEST_F(MoleBossFight, AnUndergroundTimeOfZeroBringsHimUpAsTheStunEnds) {
    // The stun's last two frames each draw an underground time; the second one counts.
    const int skip = draws_before_underground_time(0);
    ASSERT_GE(skip, 1);
    reset_game_rand();
    for (int i = 0; i < skip - 1; ++i) game_rand();
    ASSERT_TRUE(frame_with_sword());
    for (int frame = 1; frame <= 31; ++frame) EXPECT_FALSE(frame_with_sword()) << "frame " << frame;
    EXPECT_TRUE(boss.underground);
    EXPECT_EQ(boss.underground_timer, 0);
    // The 32nd frame ends the stun, still counting as underground for the sword, and he comes up.
    EXPECT_FALSE(frame_with_sword());
    EXPECT_FALSE(boss.hurt);
    EXPECT_FALSE(boss.underground);
    EXPECT_EQ(boss.body.curr_animation, MOLE_BOSS_ANIM_COMING_UP);
    EXPECT_TRUE(frame_with_sword()) << "hittable again from the next frame, while the rise still plays";
    EXPECT_EQ(boss.hit_points, 3);
}

TEST_F(MoleBossFight, UndergroundHeChasesTheHeroDiagonallyAndCannotBeHit) {
    const int skip = draws_before_underground_time(120);
    reset_game_rand();
    for (int i = 0; i < skip - 1; ++i) game_rand();
    ASSERT_TRUE(frame_with_sword());
    for (int frame = 1; frame <= 32; ++frame) frame_with_sword();
    ASSERT_TRUE(boss.underground);
    ASSERT_FALSE(boss.hurt);
    // The hero is down and to the left: the mound heads there on both axes between commands.
    int chasing_frames = 0;
    for (int frame = 0; frame < 40; ++frame) {
        const float x = boss.body.x, y = boss.body.y;
        EXPECT_FALSE(frame_with_sword()) << "weapons pass through the mound";
        if (boss.body.x == x - 5 && boss.body.y == y + 5) ++chasing_frames;
    }
    EXPECT_GE(chasing_frames, 38) << "all but the frames that take a table command";
    EXPECT_EQ(boss.hit_points, 4);
    EXPECT_EQ(boss.body.curr_animation, MOLE_BOSS_ANIM_MOUND) << "the mound shows once the dig has played";
}

TEST_F(MoleBossFight, ContactHurtsTheHeroEvenUnderground) {
    boss.underground = 1;
    boss.underground_timer = 50;
    world.player.hit_points = 5;
    world.player.body.x = boss.body.x + 20;
    world.player.body.y = boss.body.y + 20;
    world.update_world();
    EXPECT_EQ(world.player.hit_points, 4);
    EXPECT_TRUE(world.player.invulnerable);
}

TEST_F(MoleBossFight, TheFifthHitDefeatsHimOnceAndDropsTheKey) {
    boss.hit_points = 1;
    ASSERT_TRUE(frame_with_sword());
    EXPECT_TRUE(boss.hurt) << "the killing hit stuns him too";
    EXPECT_FALSE(world.check_deaths());
    EXPECT_FALSE(boss.alive);
    EXPECT_TRUE(world.key_sprite.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_FLOAT_EQ(world.key_sprite.x, boss.body.x + 32);
    EXPECT_FLOAT_EQ(world.key_sprite.y, boss.body.y + 32);
    // A fallen boss is no longer fought nor moved, and his stun stays where it was.
    const int32_t timer = boss.hurt_timer;
    world.dialog_box.speech_clear();
    for (int frame = 0; frame < 40; ++frame) frame_with_sword();
    EXPECT_EQ(boss.hurt_timer, timer);
    EXPECT_FALSE(boss.underground);
    EXPECT_FALSE(world.check_deaths());
    EXPECT_TRUE(world.dialog_box.speech_is_idle()) << "defeated once";
}

TEST_F(MoleBossFight, ANewGameFindsHimStillStunnedFromHisDefeat) {
    boss.hit_points = 1;
    ASSERT_TRUE(frame_with_sword());
    EXPECT_FALSE(world.check_deaths());
    ASSERT_FALSE(boss.alive);
    hide_sprite(&world.player.sword);
    world.load_level(1);
    ASSERT_TRUE(boss.alive);
    EXPECT_EQ(boss.hit_points, 5);
    EXPECT_TRUE(boss.hurt) << "the level start leaves the stun of the killing hit";
    EXPECT_EQ(boss.hurt_timer, 32);
    int frame = 0;
    while (!boss.underground && frame < 100) {
        world.update_world();
        ++frame;
    }
    EXPECT_EQ(frame, 30) << "so he digs in as after any hit";
}
