// A loaded world for in-process tests: the real assets from the generated data, an empty map.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "headless_game.h"
#include "platform/keyboard.h"
#include "game/game.h"
#include "base/game_random.h"
#include "world/world.h"

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
    // A live mole in slot `i` at screen (x, y), standing still.
    static Mole& place_mole(int i, float x, float y) {
        Mole& m = world.pools.moles[i];
        m.body.x = x;
        m.body.y = y;
        m.body.xv = m.body.yv = 0;
        show_sprite(&m.body);
        m.alive = 1;
        m.hit_points = 1;
        return m;
    }
    // A wasp (or King Vespro) standing still at screen (x, y), alive, ready to sting at once.
    static void place_still_wasp(Wasp& w, float x, float y, int hit_points) {
        w.body.x = x;
        w.body.y = y;
        w.body.xv = w.body.yv = 0;
        w.body.aux_3 = FACING_DOWN;
        w.speed = 0;
        w.hit_points = hit_points;
        w.alive = 1;
        w.sting_cooldown = 0;
        w.sting_phase = 0;
        show_sprite(&w.body);
        hide_sprite(&w.stinger);
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
