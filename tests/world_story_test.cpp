// Story events: boss encounters, completion zones, jail doors, boss defeats and the key.
#include <string>
#include <vector>

#include "test_files.h"
#include "world_fixture.h"

class Story : public LoadedWorld {
protected:
    void SetUp() override {
        LoadedWorld::SetUp();
        shell.current_level = 1;
        world.loaded_level = 1;
        world.player.body.xv = world.player.body.yv = 4;
    }
    // The hero's world position, with the view where it is.
    static void hero_at_world(float x, float y) {
        world.player.body.x = x - static_cast<float>(world.scroll_x);
        world.player.body.y = y - static_cast<float>(world.scroll_y);
    }
    static std::vector<std::string> lines() {
        std::vector<std::string> out;
        for (const SpeechLine* l = world.dialog_box.top; l; l = l->next)
            out.push_back(std::to_string(l->speaker) + ":" + l->text);
        return out;
    }
};

TEST_F(Story, TheFirstBossIsMetOncePerLevelStart) {
    world.scroll_x = 2000;
    world.scroll_y = 1700;
    hero_at_world(2135, 1786);
    world.check_story_triggers();
    ASSERT_EQ(lines().size(), 2u);
    EXPECT_EQ(lines()[0], "0:Let my people go and leave this place never to return, and I shall spare your life.");
    world.dialog_box.speech_clear();
    world.check_story_triggers();
    EXPECT_TRUE(lines().empty()) << "only once";
    world.boss_taunt_shown = 0;  // as a level start leaves it
    hero_at_world(2134, 1786);
    world.check_story_triggers();
    EXPECT_TRUE(lines().empty()) << "the bounds are strict";
}

TEST_F(Story, ReachingTheCompletionZoneEndsTheLevelAndTheNextLoadsAfterTheLines) {
    hero_at_world(1700, 400);
    world.check_story_triggers();
    EXPECT_EQ(shell.current_level, 2);
    const std::vector<std::string> l = lines();
    ASSERT_EQ(l.size(), 4u);
    EXPECT_EQ(l.front(), "0:Citizens of Curdwick, you have been saved.");
    EXPECT_EQ(l.back(), "5:Thank you Nibbs!");
    world.check_story_triggers();
    EXPECT_EQ(lines().size(), 4u) << "level 2's zones do not fire in level 1's place";

    // The playing frame loads level 2 once the lines are gone and shows the map.
    TempDir dir;
    std::filesystem::current_path(dir.path);
    world.dialog_box.speech_clear();
    shell.game_state = GAME_STATE_PLAYING;
    world.player.sword.anim_state = 1;
    playing_frame();
    EXPECT_EQ(world.loaded_level, 2);
    EXPECT_EQ(shell.game_state, GAME_STATE_LEVEL_MAP);
    EXPECT_TRUE(world.player.has_bow);
}

TEST_F(Story, ALockedJailDoorCallsForTheKeyAndTheKeyOpensIt) {
    wall(5, 10, TILE_JAIL_DOOR);
    wall(6, 10, TILE_JAIL_DOOR);
    world.player.body.x = 288;
    world.player.body.y = 168;  // reaches into rows 5 and 6
    world.move_player(FACING_RIGHT);
    EXPECT_FLOAT_EQ(world.player.body.x, 288);
    const std::vector<std::string> l = lines();
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0], "5:Nibbs you must find the key.");
    EXPECT_EQ(tile_map[5][10], TILE_JAIL_DOOR);

    world.dialog_box.speech_clear();
    world.player.has_key = 1;
    world.move_player(FACING_RIGHT);
    EXPECT_FLOAT_EQ(world.player.body.x, 288) << "the step that opens the door is still undone";
    EXPECT_EQ(tile_map[5][10], TILE_OPENED_DOOR);
    EXPECT_EQ(tile_map[6][10], TILE_JAIL_DOOR) << "one cell per blocked step";
    EXPECT_TRUE(world.player.has_key) << "one key opens every door";
    EXPECT_TRUE(lines().empty());
}

TEST_F(Story, ADefeatedBossDropsTheKeyOnceAndTheKeyIsPickedUp) {
    MoleBoss& boss = world.pools.mole_boss;
    boss.alive = 1;
    boss.hit_points = 0;
    boss.body.x = 400;
    boss.body.y = 100;
    show_sprite(&boss.body);
    EXPECT_FALSE(world.check_deaths());
    EXPECT_FALSE(boss.alive);
    EXPECT_FALSE(boss.body.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_TRUE(world.key_sprite.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_FLOAT_EQ(world.key_sprite.x, 432);
    EXPECT_FLOAT_EQ(world.key_sprite.y, 132);
    ASSERT_EQ(lines().size(), 2u);
    EXPECT_EQ(lines()[1], "2:Noooooooooo.");
    world.key_sprite.x = 0;
    world.check_deaths();
    EXPECT_FLOAT_EQ(world.key_sprite.x, 0) << "a boss is defeated once";
    EXPECT_EQ(lines().size(), 2u);

    world.dialog_box.speech_clear();
    world.scroll_x = 100;
    world.scroll_y = 200;
    world.key_sprite.x = 300;
    world.key_sprite.y = 300;
    world.player.body.x = 300;
    world.player.body.y = 300;
    world.update_world();
    EXPECT_TRUE(world.player.has_key);
    EXPECT_FALSE(world.key_sprite.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_FLOAT_EQ(world.key_sprite.x + world.scroll_x, -64) << "parked out of reach in the world";
    EXPECT_FLOAT_EQ(world.key_sprite.y + world.scroll_y, -64);
    ASSERT_EQ(lines().size(), 1u);
    EXPECT_EQ(lines()[0], "0:This must be the key that will free my people.");
}

TEST_F(Story, TheLastCompletionEndsTheStoryWithoutLoading) {
    shell.current_level = 3;
    world.loaded_level = 3;
    hero_at_world(4000, 1500);
    world.check_story_triggers();
    EXPECT_EQ(shell.current_level, 4);
    EXPECT_EQ(lines().size(), 5u);
    EXPECT_EQ(lines().back(), "7:Nibbs Begins his Journey home.  Envinsioning an even better Curdwick.");
    world.dialog_box.speech_clear();
    shell.game_state = GAME_STATE_PLAYING;
    world.player.sword.anim_state = 1;
    playing_frame();
    EXPECT_EQ(world.loaded_level, 3);
    EXPECT_EQ(shell.game_state, GAME_STATE_PLAYING);
}
