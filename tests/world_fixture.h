// A loaded world for in-process tests: the real assets from the generated data, an empty map,
// and the placing of enemies and the sword's blows that the tests of the world share.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "headless_game.h"
#include "platform/keyboard.h"
#include "base/game_random.h"

class LoadedWorld : public ::testing::Test {
protected:
    void SetUp() override {
        reset_game_globals();
        old_dir_ = std::filesystem::current_path();
        std::filesystem::current_path(QUILLMOOR_TEST_DATA_DIR);
        ASSERT_EQ(world.load_assets(), 1);
        world.pools.mole_count = POOL_SIZE;
        world.load_level(0);  // the common reset only: no files read
        std::memset(tile_map, 0, sizeof tile_map);
        world.scroll_x = world.scroll_y = 0;
    }
    void TearDown() override {
        std::filesystem::current_path(old_dir_);
        reset_game_globals();
    }

    // Solid wall on the cell (row, col).
    static void wall(int row, int col, int32_t tile = 40) { tile_map[row][col] = tile; }
    // `enemy` alive and shown at screen (x, y) with `hit_points`, not moving until his next command.
    template <class Enemy>
    static Enemy& place(Enemy& enemy, float x, float y, int hit_points = 1) {
        enemy.body.x = x;
        enemy.body.y = y;
        enemy.body.xv = enemy.body.yv = 0;
        enemy.hit_points = hit_points;
        enemy.alive = 1;
        show_sprite(&enemy.body);
        return enemy;
    }
    // The same, standing still for good: no speed, and his command ticks at 0, so that he draws
    // no random number for 48 frames.
    template <class Enemy>
    static Enemy& place_still(Enemy& enemy, float x, float y, int hit_points = 1) {
        enemy.speed = 0;
        enemy.body.counter_1 = enemy.body.counter_2 = 0;
        return place(enemy, x, y, hit_points);
    }
    // A wasp (or King Vespro) standing still facing down, his stinger in, ready to sting at once.
    template <class AnyWasp>
    static AnyWasp& place_stinging(AnyWasp& wasp, float x, float y, int hit_points) {
        place_still(wasp, x, y, hit_points);
        wasp.body.aux_3 = FACING_DOWN;
        wasp.sting_cooldown = wasp.sting_phase = 0;
        hide_sprite(&wasp.stinger);
        return wasp;
    }
    // The hero's sword out at screen (x, y), swung `facing`, for the next update.
    static void sword_at(float x, float y, int facing) {
        Sprite& sword = world.player.sword;
        show_sprite(&sword);
        sword.x = x;
        sword.y = y;
        sword.aux_3 = facing;
    }
    // One update of the world with the sword over the middle of `enemy`, swung `facing`; the
    // hit points the blow cost him.
    static int strike(EnemyBase& enemy, int facing = FACING_UP) {
        const int32_t before = enemy.hit_points;
        sword_at(enemy.body.x + enemy.body.width / 2 - 8, enemy.body.y + enemy.body.height / 2 - 8, facing);
        world.update_world();
        return before - enemy.hit_points;
    }
    // Plays of a sound file so far, from the audio report.
    static long plays(const char* file) { return plays_in(audio_state_json(), file); }
    static void hold_keys(std::initializer_list<int> virtual_keys, std::initializer_list<int> scan_codes = {}) {
        platform::KeyboardSnapshot snap{};
        for (int k : virtual_keys) snap.virtual_down[k] = true;
        for (int k : scan_codes) snap.scan_state[k] = platform::KEY_DOWN_BIT;
        platform::set_keyboard_snapshot(snap);
    }

private:
    std::filesystem::path old_dir_;
};
