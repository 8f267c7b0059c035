// The three bosses' fights, stuns, throws, stings and falls, their one blow a swing in enhanced play.

#include "world/story.h"
#include "test_game.h"

class MoleBossFight : public LoadedWorld {
protected:
    MoleBoss& boss = world.pools.mole_boss;
    void SetUp() override {
        LoadedWorld::SetUp();
        place(boss, 300, 100, 5);
        put(world.player.body, 40, 400);
    }
    // One frame with the sword swung up over the boss's middle; whether it took a hit point.
    bool frame_with_sword() { return strike(boss) > 0; }
    // A hit whose stun ends with an underground time of `frames`, (r + 200) mod 500 for a random
    // number r: the stun's last two frames each draw one, and the second one counts.
    void hit_with_underground_time(int frames) {
        reset_game_rand();
        int skip = 0;  // numbers to draw from a fresh sequence before that r
        while ((game_rand() + 200) % 500 != frames) ++skip;
        ASSERT_GE(skip, 1);
        reset_game_rand();
        for (int i = 0; i < skip - 1; ++i) game_rand();
        ASSERT_TRUE(frame_with_sword());
    }
};

TEST_F(MoleBossFight, AHitStunsHimHeDigsInAfterThirtyFramesAndAnUndergroundTimeOfZeroBringsHimUpAsTheStunEnds) {
    hit_with_underground_time(0);
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
    EXPECT_FALSE(frame_with_sword()) << "frame 31";
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

TEST_F(MoleBossFight, UndergroundHeChasesTheHeroDiagonallyCannotBeHitAndStillHurtsOnContact) {
    hit_with_underground_time(120);
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

    // Touching the mound hurts the hero all the same.
    ASSERT_TRUE(boss.underground);
    ASSERT_EQ(world.player.hit_points, 5);
    put(world.player.body, boss.body.x + 20, boss.body.y + 20);
    world.update_world();
    EXPECT_EQ(world.player.hit_points, 4);
    EXPECT_TRUE(world.player.invulnerable);
}

TEST_F(MoleBossFight, TheFifthHitDefeatsHimOnceAndDropsTheKeyAndANewGameFindsHimStillStunned) {
    boss.hit_points = 1;
    ASSERT_TRUE(frame_with_sword());
    EXPECT_TRUE(boss.hurt) << "the killing hit stuns him too";
    EXPECT_FALSE(world.check_deaths());
    EXPECT_FALSE(boss.alive);
    // A fallen boss is no longer fought nor moved, and his stun stays where it was.
    const int32_t timer = boss.hurt_timer;
    world.dialog_box.speech_clear();
    for (int frame = 0; frame < 40; ++frame) frame_with_sword();
    EXPECT_EQ(boss.hurt_timer, timer);
    EXPECT_FALSE(boss.underground);
    EXPECT_FALSE(world.check_deaths());
    EXPECT_TRUE(world.dialog_box.speech_is_idle()) << "defeated once";

    hide_sprite(&world.player.sword);
    world.load_level(1);
    ASSERT_TRUE(boss.alive);
    EXPECT_EQ(boss.hit_points, 5);
    EXPECT_TRUE(boss.hurt) << "the level start leaves the stun of the killing hit";
    EXPECT_EQ(boss.hurt_timer, 32);
    EXPECT_EQ(updates_until([&] { return boss.underground != 0; }, 100), 30) << "so he digs in as after any hit";
}

class SwineBossFight : public LoadedWorld {
protected:
    SwineBoss& boss = world.pools.swine_boss;
    Sprite& spear = world.pools.swine_boss.spear;
    void SetUp() override {
        LoadedWorld::SetUp();
        place_still(boss, 300, 100, 10);  // he stands where he is put
        boss.throw_counter = 0;
        hide_sprite(&spear);
        put(world.player.body, 40, 400);
    }
};

TEST_F(SwineBossFight, TheSpearFliesOnTheTwentyFirstFrameAfterItCameDownAndOnAfterHisFall) {
    EXPECT_EQ(updates_until(spear, true, 100), 21);
    // The hero is farther away down than across: the spear flies down, from 20 pixels left.
    EXPECT_EQ(spear.aux_3, FACING_DOWN);
    EXPECT_EQ(spear.curr_frame, 1);
    EXPECT_TRUE(stands_at(spear, 280, 110)) << "launched at the boss's corner and moved once in that frame";
    EXPECT_EQ(boss.throw_counter, 0);
    const int flight = updates_until(spear, false, 100);
    ASSERT_GT(flight, 0) << "the spear leaves the screen";
    EXPECT_EQ(boss.throw_counter, 0) << "the count waits while the spear flies";
    EXPECT_EQ(updates_until(spear, true, 100), 21);

    // A fallen boss's spear flies on, but no longer hurts.
    boss.alive = 0;
    put(world.player.body, spear.x + 16, spear.y + 40);
    const float y = spear.y;
    world.update_world();
    EXPECT_FLOAT_EQ(spear.y, y + 10);
    EXPECT_TRUE(spear.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_EQ(world.player.hit_points, 5);
}

TEST_F(SwineBossFight, ASpearHitPushesTheHeroItsWayAndIsSpent) {
    put(world.player.body, 290, 300);
    ASSERT_EQ(updates_until(spear, true, 100), 21);
    const int landed = updates_until(spear, false, 30);
    ASSERT_GT(landed, 0);
    EXPECT_EQ(world.player.hit_points, 4);
    EXPECT_FLOAT_EQ(world.player.body.y, 332) << "pushed down, the spear's way";
}

TEST_F(SwineBossFight, ASpearAgainstAWallComesDownAtOnceAndEverySwordContactIsAHitTenDefeatingHim) {
    wall(3, 8);  // the spear starts 20 pixels left of the boss, over this cell
    for (int round = 0; round < 2; ++round) {
        for (int frame = 1; frame <= 20; ++frame) world.update_world();
        EXPECT_EQ(boss.throw_counter, 20);
        world.update_world();
        EXPECT_EQ(boss.throw_counter, 0) << "thrown on the 21st frame";
        EXPECT_FLOAT_EQ(spear.y, 110) << "launched from the boss's corner";
        EXPECT_FALSE(spear.attr & SPRITE_ATTR_VISIBLE) << "and spent on the wall in the same frame";
    }

    for (int frame = 1; frame <= 10; ++frame) {
        const float x = boss.body.x;
        EXPECT_EQ(strike(boss, FACING_RIGHT), 1);
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

using WaspBossFight = LoadedWorld;

TEST_F(WaspBossFight, StingsAfterFortyFiveFramesLeavesHisStingPoseToTurnAndFallsToFifteenHits) {
    WaspBoss& boss = place_stinging(world.pools.wasp_boss, 300, 100, 15);
    put(world.player.body, 40, 400);
    EXPECT_EQ(updates_until(boss.stinger, true, 100), 45);
    EXPECT_EQ(boss.stinger.aux_3, FACING_DOWN) << "the hero is farther down than across";
    EXPECT_EQ(boss.stinger.curr_frame, 1);
    EXPECT_TRUE(stands_at(boss.stinger, 280, 110));
    ASSERT_EQ(boss.body.curr_animation, 4) << "the sting pose";
    // He flies off to the left on his next frames.
    boss.speed = 3;
    boss.command = MOVE_LEFT;
    boss.body.counter_2 = 0;
    world.update_world();
    EXPECT_EQ(boss.body.curr_animation, FACING_LEFT);
    EXPECT_EQ(boss.body.aux_3, FACING_LEFT);

    // Fifteen hits defeat him, and his stinger is left where it was.
    ASSERT_TRUE(visible(boss.stinger));
    for (int hit = 1; hit <= 15; ++hit) ASSERT_EQ(strike(boss), 1) << "blow " << hit;
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

// Enhanced play: the sword out from press to release is one swing, and a swing or an arrow is one
// blow; after a blow the swine and wasp bosses are guarded for a while, the later boss the longer.
class EnhancedBossBlows : public LoadedWorld {
protected:
    int swings = 0;
    void SetUp() override {
        LoadedWorld::SetUp();
        play_mode = PlayMode::Enhanced;
        put(world.player.body, 40, 400);
    }
    // One swing held over the boss for `held` frames, then the sword away for `rest` frames; the
    // hit points it cost him. Swings go up and down by turns, so the knocks keep him in place.
    int swing(EnemyBase& boss, int held, int rest = 1) {
        const int32_t before = boss.hit_points;
        const int way = swings++ % 2 ? FACING_DOWN : FACING_UP;
        for (int frame = 0; frame < held; ++frame) strike(boss, way);
        hide_sprite(&world.player.sword);
        for (int frame = 0; frame < rest; ++frame) world.update_world();
        return before - boss.hit_points;
    }
    // Swings spaced past the guard until he falls or `limit` swings have been made.
    int swings_to_defeat(EnemyBase& boss, int level, int limit) {
        int n = 0;
        for (; boss.hit_points > 0 && n < limit; ++n) EXPECT_EQ(swing(boss, 1, boss_guard_frames(level)), 1) << "swing " << n + 1;
        return n;
    }
};

TEST_F(EnhancedBossBlows, EachSwingOrArrowIsOneBlowAndTenAndFifteenDefeatTheArmedBosses) {
    SwineBoss& swine = place_still(world.pools.swine_boss, 300, 200, boss_start_hit_points(2));
    hide_sprite(&swine.spear);
    EXPECT_GT(boss_guard_frames(3), boss_guard_frames(2));
    EXPECT_EQ(swing(swine, boss_guard_frames(2) + 10), 1) << "a swing held over him is one blow";
    EXPECT_EQ(swing(swine, 1), 1) << "the guard of the last blow ran out while it was held";
    EXPECT_GT(swine.guard_frames, 0);
    EXPECT_EQ(swing(swine, 1, boss_guard_frames(2)), 0) << "a new swing during the guard passes through";
    EXPECT_EQ(swings_to_defeat(swine, 2, 20), 8) << "ten blows in all";
    EXPECT_FALSE(world.check_deaths());
    EXPECT_FALSE(swine.alive);

    WaspBoss& wasp = place_still(world.pools.wasp_boss, 300, 200, boss_start_hit_points(3));
    EXPECT_EQ(swings_to_defeat(wasp, 3, 30), 15);

    // An arrow is one blow and is spent; one that meets him guarded flies through him.
    place_still(wasp, 300, 200, 2);
    Sprite& arrow = world.player.arrow;
    auto shoot = [&] {
        show_at(arrow, wasp.body.x + 24, wasp.body.y + 24);
        arrow.xv = arrow.yv = 0;
        arrow.aux_3 = FACING_UP;
        world.update_world();
    };
    shoot();
    EXPECT_EQ(wasp.hit_points, 1);
    EXPECT_FALSE(arrow.attr & SPRITE_ATTR_VISIBLE);
    shoot();
    EXPECT_EQ(wasp.hit_points, 1);
    EXPECT_TRUE(arrow.attr & SPRITE_ATTR_VISIBLE);
    hide_sprite(&arrow);

    // Dorvik Mole takes a blow a stun, as in classic play.
    MoleBoss& mole = place(world.pools.mole_boss, 300, 200, boss_start_hit_points(1));
    EXPECT_EQ(swing(mole, 40), 1);
}
