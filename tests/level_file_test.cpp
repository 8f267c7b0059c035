// Reading the level files, what damaged ones leave behind, and what a level start resets and keeps.
#include "test_files.h"
#include "world/level_reader.h"
#include "test_game.h"

class LevelFiles : public LoadedWorld {
protected:
    TempDir dir;
    std::string write(const std::string& name, const std::string& text) {
        write_text(dir.file(name), text);
        return dir.file(name);
    }
    // How many enemies of a pool are alive.
    template <class Pool>
    static int alive(const Pool& pool) {
        int n = 0;
        for (const auto& enemy : pool) n += enemy.alive ? 1 : 0;
        return n;
    }
    static int alive_moles() { return alive(world.pools.moles); }
    // Text for a whole map of `value`, with `first` numbers at the start replaced.
    static std::string full_map(const std::string& first, int value, int count) {
        std::string text = first;
        const std::string number = std::to_string(value);
        for (int i = 0; i < count; ++i) text.append(1, ' ').append(number);
        return text;
    }
};

TEST_F(LevelFiles, TileNumbersAreIntegerLiteralsFillingRowsAndAFaultKeepsTheOldCells) {
    world.load_tile_map(write("map.txt", "010 0x1F -3 +7\n\t12   0 099").c_str());
    // A leading 0 is octal; octal stops at 9, and the 99 is the next number.
    const int32_t literals[] = {8, 31, -3, 7, 12, 0, 0, 99};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(tile_map[0][i], literals[i]) << "number " << i;
    // Rows fill left to right, then down.
    world.load_tile_map(write("rows.txt", full_map("", 1, 199) + " 45 46\n").c_str());
    EXPECT_EQ(tile_map[0][198], 1);
    EXPECT_EQ(tile_map[0][199], 45);
    EXPECT_EQ(tile_map[1][0], 46);

    for (auto& row : tile_map)
        for (int32_t& cell : row) cell = 5;
    world.load_tile_map(write("short.txt", "1 2 3\n\n  ").c_str());
    EXPECT_EQ(tile_map[0][2], 3);
    EXPECT_EQ(tile_map[0][3], 5);
    world.load_tile_map(write("bad.txt", "7 7 x 7 7").c_str());
    EXPECT_EQ(tile_map[0][1], 7);
    EXPECT_EQ(tile_map[0][2], 3) << "nothing after the bad text is read";
    EXPECT_EQ(tile_map[0][3], 5);
    world.load_tile_map(write("huge.txt", "9 99999999999 9").c_str());
    EXPECT_EQ(tile_map[0][0], 9);
    EXPECT_EQ(tile_map[0][1], 7) << "a number too large for a tile is a failed read";
    EXPECT_TRUE(world.load_tile_map(dir.file("missing.txt").c_str()));
    EXPECT_EQ(tile_map[0][0], 9);
    EXPECT_EQ(tile_map[199][199], 5);
}

TEST_F(LevelFiles, EnemyPairsAlternateAcrossAndDownAndEndAtTheFirstFaultOrTheHundredth) {
    for (int i = 0; i < 3; ++i) world.pools.moles[i].speed = 2;
    world.load_enemy_list(write("moles.txt", "100 200\n300.5 400\n2485 1689\n\n  \n").c_str(), ENEMY_KIND_MOLE);
    EXPECT_EQ(alive_moles(), 3) << "trailing blanks activate nothing";
    const Mole* m = world.pools.moles;
    EXPECT_FLOAT_EQ(m[1].body.x, 300.5f);
    EXPECT_FLOAT_EQ(m[0].body.xv, 2);
    EXPECT_FLOAT_EQ(m[0].body.yv, 0);
    EXPECT_FLOAT_EQ(m[1].body.xv, 0);
    EXPECT_FLOAT_EQ(m[1].body.yv, 2);
    EXPECT_FLOAT_EQ(m[2].body.xv, 2);
    EXPECT_EQ(m[2].hit_points, 1);
    EXPECT_EQ(m[2].body.aux_3, FACING_DOWN);
    EXPECT_TRUE(m[2].body.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_FALSE(m[3].alive);

    // Half pairs, text and positions that are no finite number end the list; an unknown kind reads nothing.
    const struct {
        const char* text;
        int kind, alive;
    } lists[] = {{"1 2 3 4 5", ENEMY_KIND_MOLE, 2},       {"1 2 abc 4 5 6", ENEMY_KIND_MOLE, 1}, {"1 2 1e999 4 5 6", ENEMY_KIND_MOLE, 1},
                 {"1 2 nan 4", ENEMY_KIND_MOLE, 1}, {"1 2", 7, 0}};
    for (const auto& list : lists) {
        world.reset_enemies();
        world.load_enemy_list(write("list.txt", list.text).c_str(), list.kind);
        EXPECT_EQ(alive_moles(), list.alive) << list.text;
    }
    world.load_enemy_list(dir.file("missing.txt").c_str(), ENEMY_KIND_MOLE);
    EXPECT_EQ(alive_moles(), 0);

    std::string text;
    for (int i = 0; i < 130; ++i) text += std::to_string(i) + " 10\n";
    world.load_enemy_list(write("many.txt", text).c_str(), ENEMY_KIND_MOLE);
    EXPECT_EQ(alive_moles(), 100) << "at most one hundred enemies are taken";
    EXPECT_FLOAT_EQ(world.pools.moles[99].body.x, 99);
}

TEST_F(LevelFiles, LevelOneStartsTheHeroBossAndOpeningLinesAndEachLevelPlacesItsOwnBossFacingDown) {
    std::filesystem::current_path(dir.path);
    write("Level1.txt", full_map("", 2, 40000));
    write("level1Moles.txt", "400 400 500 500");
    world.player.lives = 3;
    world.player.has_bow = 1;
    world.scroll_x = 640;
    world.load_level(1);
    EXPECT_EQ(world.loaded_level, 1);
    EXPECT_EQ(world.scroll_x, 0);
    EXPECT_EQ(world.player.lives, 10);
    EXPECT_EQ(world.player.hit_points, 5);
    EXPECT_FLOAT_EQ(world.player.body.x, 200);
    EXPECT_FLOAT_EQ(world.player.body.y, 380);
    EXPECT_TRUE(world.player.has_bow) << "a level start alone keeps the items";
    EXPECT_EQ(alive_moles(), 2);
    EXPECT_EQ(tile_map[199][199], 2);
    EXPECT_FLOAT_EQ(world.pools.mole_boss.body.x, 2485);
    EXPECT_EQ(world.pools.mole_boss.hit_points, 5);
    ASSERT_FALSE(world.dialog_box.speech_is_idle());
    EXPECT_STREQ(world.dialog_box.top->text, "Grandfather, what happened?!?");
    EXPECT_EQ(world.dialog_box.top->speaker, 0);
    ASSERT_NE(world.dialog_box.top->next, nullptr);
    EXPECT_EQ(world.dialog_box.top->next->speaker, 1);
    EXPECT_EQ(world.dialog_box.top->next->next, nullptr);
    world.dialog_box.speech_clear();

    // Where each boss starts is the levels' design; the whole-game replays hold it.
    for (int level = 1; level <= 3; ++level) {
        EnemyBase& boss = level_boss(level);
        boss.body.aux_3 = FACING_UP;
        hide_sprite(&boss.body);
        world.load_level(level);
        EXPECT_EQ(world.loaded_level, level);
        EXPECT_TRUE(boss.alive) << level;
        EXPECT_TRUE(boss.body.attr & SPRITE_ATTR_VISIBLE) << level;
        EXPECT_EQ(boss.hit_points, 5 * level) << "five, ten and fifteen blows";
        EXPECT_FLOAT_EQ(boss.body.yv, 0) << level;
        EXPECT_EQ(boss.body.aux_3, FACING_DOWN) << level;
        world.dialog_box.speech_clear();
    }
    // The bosses of earlier levels are hidden but keep their alive flags.
    EXPECT_FALSE(world.pools.mole_boss.body.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_TRUE(world.pools.mole_boss.alive);
}

TEST_F(LevelFiles, ANewGameClearsTheItemsTheWaitingLinesAndTheLastGamesBossesAndMissiles) {
    std::filesystem::current_path(dir.path);
    // The hero lost his last life on level 2 with the swine boss throwing spears.
    world.load_level(2);
    ASSERT_EQ(world.pools.swine_boss.alive, 1);
    show_sprite(&world.pools.swine_boss.spear);
    world.pools.wasp_boss.alive = 1;
    world.player.has_bow = 1;
    world.player.has_key = 1;
    world.dialog_box.speech_push(0, "left over");
    // Projectiles of the last level still in flight, as after finishing the game.
    show_sprite(&world.pools.wasps[7].stinger);
    show_sprite(&world.pools.wasp_boss.stinger);
    show_sprite(&world.player.arrow);
    start_new_game();
    EXPECT_FALSE(world.player.has_bow);
    EXPECT_FALSE(world.player.has_key);
    EXPECT_FALSE(world.pools.wasps[7].stinger.attr & SPRITE_ATTR_VISIBLE) << "no stinger hangs over the new game";
    EXPECT_FALSE(world.pools.wasp_boss.stinger.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_FALSE(world.player.arrow.attr & SPRITE_ATTR_VISIBLE);
    int lines = 0;
    for (const SpeechLine* l = world.dialog_box.top; l; l = l->next) ++lines;
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(world.pools.swine_boss.alive, 0);
    EXPECT_EQ(world.pools.wasp_boss.alive, 0);
    EXPECT_FALSE(world.pools.swine_boss.spear.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_EQ(world.pools.mole_boss.alive, 1) << "level 1's own boss waits for the hero";
}

TEST_F(LevelFiles, EveryLevelStartResetsTheHeroAndHidesItemsButKeepsTheRest) {
    std::filesystem::current_path(dir.path);
    Player& p = world.player;
    world.scroll_x = 300;
    world.scroll_y = 200;
    world.boss_taunt_shown = 1;
    world.loaded_level = 2;
    p.hit_points = 1;
    p.alive = 0;
    p.body.aux_3 = FACING_LEFT;
    p.body.xv = p.body.yv = 0;
    p.body.x = 77;
    p.lives = 3;
    p.has_key = p.has_bow = 1;
    show_sprite(&world.cheese_sprite);
    show_sprite(&p.arrow);
    show_sprite(&world.pools.swine_boss.spear);
    show_sprite(&world.key_sprite);
    world.key_sprite.x = 123;
    Mole& mole = place(world.pools.moles[5], 10, 10);
    world.pools.mole_boss.alive = 1;
    show_sprite(&world.pools.mole_boss.body);
    world.pools.wasp_boss.alive = 0;

    world.load_level(0);  // no such level: the common reset alone
    EXPECT_EQ(world.scroll_x, 0);
    EXPECT_EQ(world.scroll_y, 0);
    EXPECT_FALSE(world.boss_taunt_shown);
    EXPECT_FLOAT_EQ(p.body.xv, static_cast<float>(p.speed));
    EXPECT_FLOAT_EQ(p.body.yv, static_cast<float>(p.speed));
    EXPECT_EQ(p.hit_points, 5);
    EXPECT_TRUE(p.alive);
    EXPECT_EQ(p.body.aux_3, FACING_DOWN);
    EXPECT_FALSE(world.cheese_sprite.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_FALSE(p.arrow.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_FALSE(world.pools.swine_boss.spear.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_FALSE(mole.alive);
    EXPECT_FALSE(mole.body.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_FALSE(world.pools.mole_boss.body.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_TRUE(world.pools.mole_boss.alive) << "a boss's alive flag is left as it was";
    // Not part of a level start: the position, lives, items, the key pick-up, the level number.
    EXPECT_FLOAT_EQ(p.body.x, 77);
    EXPECT_EQ(p.lives, 3);
    EXPECT_TRUE(p.has_key);
    EXPECT_TRUE(p.has_bow);
    EXPECT_TRUE(world.key_sprite.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_FLOAT_EQ(world.key_sprite.x, 123);
    EXPECT_EQ(world.loaded_level, 2);
    EXPECT_TRUE(world.dialog_box.speech_is_idle());
}

TEST_F(LevelFiles, LevelsTwoAndThreeKeepLivesAndTakeTheKeyAndOnlyTwoGivesTheBow) {
    std::filesystem::current_path(dir.path);
    write("level2Pigs.txt", "10 10 20 20 30 30");
    world.player.lives = 4;
    world.player.has_key = 1;
    world.load_level(2);
    EXPECT_EQ(world.player.lives, 4);
    EXPECT_TRUE(world.player.has_bow);
    EXPECT_FALSE(world.player.has_key);
    EXPECT_FLOAT_EQ(world.player.body.y, 300);
    EXPECT_EQ(alive(world.pools.pigs), 3);
    EXPECT_EQ(world.pools.pigs[0].hit_points, 2);
    EXPECT_TRUE(world.dialog_box.speech_is_idle());

    write("level3Wasps.txt", "10 10 20 20");
    write("level3Moles.txt", "5 5");
    for (uint8_t bow : {0, 1}) {
        world.player.has_key = 1;
        world.player.has_bow = bow;
        world.player.lives = 6;
        world.load_level(3);
        EXPECT_FALSE(world.player.has_key);
        EXPECT_EQ(world.player.has_bow, bow);
        EXPECT_EQ(world.player.lives, 6);
        EXPECT_FLOAT_EQ(world.player.body.x, 200);
        EXPECT_FLOAT_EQ(world.player.body.y, 380);
        EXPECT_EQ(alive(world.pools.wasps), 2);
        EXPECT_EQ(alive(world.pools.pigs), 0) << "a missing pig list leaves no pig alive";
        EXPECT_EQ(alive_moles(), 1);
        EXPECT_EQ(world.pools.wasps[1].hit_points, 3);
        EXPECT_FLOAT_EQ(world.pools.wasps[1].body.yv, static_cast<float>(world.pools.wasps[1].speed));
        EXPECT_FLOAT_EQ(world.pools.wasps[0].body.xv, static_cast<float>(world.pools.wasps[0].speed)) << "each file starts across";
    }
}
