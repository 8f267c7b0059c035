// Combat and pick-ups: contact damage and invulnerability, sword and arrow hits, kills, cheese, and the lives the playing frame takes away.
#include <tuple>

#include "audio/sound_ids.h"
#include "test_game.h"

class Combat : public LoadedWorld {
protected:
    Player& hero = world.player;
    void SetUp() override {
        LoadedWorld::SetUp();
        put(hero.body, 300, 200);
        hero.body.aux_3 = FACING_RIGHT;
        hero.hit_points = 5;
        hero.lives = 10;
        hide_sprite(&hero.sword);
    }
};

TEST_F(Combat, ContactHurtsOnceThenNotFor32FramesAndCheeseHealsOnlyBelowFour) {
    place_still(world.pools.moles[0], 310, 200);
    world.update_world();
    EXPECT_EQ(hero.hit_points, 4);
    EXPECT_TRUE(hero.invulnerable);
    EXPECT_FLOAT_EQ(hero.body.x, 268) << "pushed 32 pixels against his facing";
    int frames = 0;
    while (hero.hit_points == 4 && frames < 100) {
        hero.body.x = 300;  // back onto the mole every frame
        world.update_world();
        ++frames;
    }
    EXPECT_EQ(frames, 33) << "the 33rd frame after the hit clears the guard and hurts again";
    EXPECT_EQ(hero.hit_points, 3);

    // Cheese heals only below four (he is at three now), and is used up either way.
    show_at(world.cheese_sprite, hero.body.x, hero.body.y);
    world.update_world();
    EXPECT_EQ(hero.hit_points, 4);
    EXPECT_FALSE(world.cheese_sprite.attr & SPRITE_ATTR_VISIBLE);
    show_at(world.cheese_sprite, hero.body.x, hero.body.y);
    world.update_world();
    EXPECT_EQ(hero.hit_points, 4) << "never back to five";
    EXPECT_FALSE(world.cheese_sprite.attr & SPRITE_ATTR_VISIBLE);
}

TEST_F(Combat, TheSwordKillsWithADeathCloudAndMaybeCheeseAHeldSwordTakesAPointAFrameAndAnArrowPushes) {
    // The next number 41 leaves no cheese; 26500, the fourth, gives (r + 1) mod 10 = 1: cheese.
    for (const auto& [skip, cheese] : {std::pair{0, false}, {3, true}}) {
        Mole& m = place_still(world.pools.moles[skip], 340, 200 + 20 * skip);
        sword_at(332, 216 + 20 * skip, FACING_RIGHT);
        reset_game_rand();
        for (int i = 0; i < skip; ++i) game_rand();
        world.update_world();
        EXPECT_FALSE(m.alive);
        EXPECT_FALSE(m.body.attr & SPRITE_ATTR_VISIBLE);
        EXPECT_TRUE(stands_at(world.deathcloud_sprite, 340, m.body.y));
        EXPECT_EQ(world.deathcloud_sprite.anim_state, 0);
        EXPECT_EQ(visible(world.cheese_sprite), cheese) << "after " << skip << " numbers";
        EXPECT_FLOAT_EQ(cheese ? world.cheese_sprite.y : m.body.y, m.body.y) << "the cheese on his spot";
    }

    // A sword held over a stronger mole takes a point a frame and pushes him each time.
    Mole& o = place_still(world.pools.moles[2], 340, 320, 3);
    sword_at(332, 336, FACING_RIGHT);
    world.update_world();
    EXPECT_EQ(o.hit_points, 2);
    EXPECT_FLOAT_EQ(o.body.x, 372) << "knocked 32 pixels in the sword's direction";
    EXPECT_TRUE(o.alive);

    // An arrow is spent on its first mole and pushes him; with the sword it costs one point.
    Mole& first = place_still(world.pools.moles[0], 340, 200, 3);
    Mole& behind = place_still(world.pools.moles[1], 340, 200, 3);
    sword_at(332, 216, FACING_RIGHT);
    show_at(hero.arrow, 345, 205);
    hero.arrow.aux_3 = FACING_DOWN;
    hide_sprite(&hero.sword);  // first the arrow alone, against two moles on one spot
    world.update_world();
    EXPECT_EQ(first.hit_points, 2);
    EXPECT_EQ(behind.hit_points, 3) << "a spent arrow hits nothing more";
    EXPECT_FALSE(hero.arrow.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_FLOAT_EQ(first.body.y, 232);

    Mole& third = place_still(world.pools.moles[2], 340, 300, 3);
    sword_at(332, 316, FACING_RIGHT);
    show_at(hero.arrow, 345, 305);
    hero.arrow.aux_3 = FACING_UP;
    world.update_world();
    EXPECT_EQ(third.hit_points, 2);
    EXPECT_TRUE(stands_at(third.body, 340, 268)) << "pushed by the arrow only";
}

TEST_F(Combat, LosingAllHitPointsCostsALifeAndTheLastOneEndsTheGame) {
    game.game_state = GAME_STATE_PLAYING;
    game.current_level = 1;
    world.loaded_level = 1;
    hero.sword.anim_state = 1;
    hero.hit_points = 1;
    hero.lives = 2;
    place_still(world.pools.moles[0], 310, 200);
    playing_frame();
    EXPECT_EQ(hero.lives, 1);
    EXPECT_EQ(hero.hit_points, 5);
    EXPECT_FLOAT_EQ(hero.body.y, 200) << "he goes on where he stands";
    EXPECT_EQ(game.game_state, GAME_STATE_PLAYING);

    hero.hit_points = 1;
    hero.invulnerable = 0;
    hero.body.x = 300;
    playing_frame();
    EXPECT_EQ(game.game_state, GAME_STATE_GAME_OVER);
    EXPECT_EQ(game.current_level, 0);
    EXPECT_FALSE(hero.alive);
}

TEST_F(Combat, ProjectilesAreSpentPastTheScreenEdgeOrOnAWallDeadEnemiesKeepMovingAndAStingerFliesOnThroughAGuardedHero) {
    auto kept_at = [](Sprite& projectile, float x, float y) {
        show_at(projectile, x, y);
        world.update_world();
        return (projectile.attr & SPRITE_ATTR_VISIBLE) != 0;
    };
    Sprite& arrow = hero.arrow;
    arrow.xv = arrow.yv = 0;
    EXPECT_TRUE(kept_at(arrow, 640, 480)) << "the very edge still counts as on screen";
    EXPECT_TRUE(kept_at(arrow, 0, 0));
    EXPECT_FALSE(kept_at(arrow, 640.5f, 100));
    EXPECT_FALSE(kept_at(arrow, 100, 480.5f));
    EXPECT_FALSE(kept_at(arrow, -0.5f, 100));
    EXPECT_FALSE(kept_at(arrow, 100, -0.5f));
    wall(3, 3);
    EXPECT_FALSE(kept_at(arrow, 100, 100)) << "spent on a solid tile";
    EXPECT_TRUE(kept_at(arrow, 200, 100));

    // A live wasp that hovers where it is put, far from the hero, and a stinger that stays put.
    world.pools.wasp_count = POOL_SIZE;
    Sprite& stinger = place_still(world.pools.wasps[0], 100, 400, 3).stinger;
    stinger.xv = stinger.yv = 0;
    EXPECT_TRUE(kept_at(stinger, 640, 100));
    EXPECT_FALSE(kept_at(stinger, 640.5f, 100));
    EXPECT_FALSE(kept_at(stinger, 200, -0.5f));
    EXPECT_FALSE(kept_at(stinger, 100, 100)) << "spent on a solid tile";

    // Dead enemies keep moving, but are not drawn (nor shifted: see ShiftingMovesWorldObjectsButNotTheHeroOrTheDead).
    Mole& m = place(world.pools.moles[0], 100, 300);
    take_out(m);
    m.body.xv = 3;
    world.update_world();
    EXPECT_FLOAT_EQ(m.body.x, 103);

    // A stinger on a guarded hero flies on until the guard lapses.
    show_at(stinger, hero.body.x, hero.body.y);
    stinger.aux_3 = FACING_LEFT;
    hero.invulnerable = 1;
    hero.body.counter_1 = 0;
    world.update_world();
    EXPECT_EQ(hero.hit_points, 5);
    EXPECT_TRUE(stinger.attr & SPRITE_ATTR_VISIBLE) << "not spent on a hero who cannot be hurt";
    EXPECT_EQ(updates_until([&] { return hero.hit_points != 5; }, 100), 32) << "hurt on the 33rd frame";
    EXPECT_FALSE(stinger.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_FLOAT_EQ(hero.body.x, 268) << "pushed the stinger's way";
}

TEST_F(Combat, EachKindOfBlowPlaysItsOwnSound) {
    for (const SoundFile& sound : SOUND_FILES) sound_ids.*sound.id = load_wav(sound.name, SOUND_CREATE_CONTROLS);
    sword_at(332, 216, FACING_UP);

    world.pools.pig_count = world.pools.wasp_count = POOL_SIZE;
    const std::tuple<EnemyBase*, int, const char*> blows[] = {{&world.pools.moles[0], 1, "moleHit.WAV"},
                                                             {&world.pools.pigs[0], 2, "pigHit.WAV"},
                                                             {&world.pools.wasps[0], 3, "waspHit.WAV"},
                                                             {&world.pools.swine_boss, 10, "bossHit.WAV"}};
    for (const auto& [enemy, hit_points, sound] : blows) {
        place_still(*enemy, 340, 200, hit_points);
        world.update_world();
        EXPECT_EQ(plays(sound), 1) << sound;
        EXPECT_EQ(plays("death.WAV"), 1) << "the mole falls to the blow, the others survive it: " << sound;
        take_out(*enemy);
    }
    EXPECT_EQ(plays("moleHit.WAV") + plays("pigHit.WAV") + plays("waspHit.WAV") + plays("bossHit.WAV"), 4) << "one sound per blow";
    EXPECT_EQ(plays("ouch.WAV"), 0) << "the hero was never touched";

    hide_sprite(&hero.sword);
    place_still(world.pools.moles[1], 310, 200);
    world.update_world();
    EXPECT_EQ(plays("ouch.WAV"), 1);
    hero.hit_points = 4;  // cheese and key: one sound each on pickup
    show_at(world.cheese_sprite, hero.body.x, hero.body.y);
    show_at(world.key_sprite, hero.body.x, hero.body.y);
    world.update_world();
    EXPECT_EQ(plays("cheese.WAV"), 1);
    EXPECT_EQ(plays("item.WAV"), 1);
}
