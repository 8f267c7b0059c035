// The game in process for tests: headless and stepped with script keys (HeadlessGame), or its world alone on an empty map (LoadedWorld) with helpers.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/headless_session.h"
#include "app/input_script.h"
#include "audio/audio_report.h"
#include "audio/music.h"
#include "audio/sound.h"
#include "base/game_random.h"
#include "base/play_mode.h"
#include "game/game.h"
#include "graphics/display.h"
#include "platform/keyboard.h"
#include "platform/text.h"
#include "screens/enhanced_screens.h"
#include "test_files.h"
#include "world/world.h"

class HeadlessGame : public ::testing::Test {
public:
    std::vector<std::string> shown;  // every speech line in the order it came to the top of the box

    // One frame of the game with the script keys `keys` (SCRIPT_KEY_* bits) held.
    void frame(unsigned keys = 0) {
        headless_frame(keys);
        const SpeechLine* top = world.dialog_box.top;
        if (top && top != last_top_) shown.push_back(top->text);
        last_top_ = top;
    }
    void frames(int count, unsigned keys = 0) {
        for (int i = 0; i < count; ++i) frame(keys);
    }
    // A new game under `rules`, from the title to level 1 with its opening lines up.
    void into_level_1(PlayMode rules) {
        stop();
        start(rules);
        frames(20);
        frame(SCRIPT_KEY_ENTER);
        frames(5);
        frame(SCRIPT_KEY_SPACE);
        ASSERT_EQ(game.game_state, GAME_STATE_PLAYING);
        ASSERT_FALSE(world.dialog_box.speech_is_idle());
    }
    // Space through the opening lines, then let go.
    void past_the_opening() {
        for (int i = 0; i < 200 && !world.dialog_box.speech_is_idle(); ++i) frame(SCRIPT_KEY_SPACE);
        frame();
        ASSERT_TRUE(world.dialog_box.speech_is_idle());
    }
    static std::string now_playing() {
        const char* name = music_now_playing();
        return name ? name : "none";
    }

protected:
    void SetUp() override { start(PlayMode::Classic); }
    void TearDown() override { stop(); }

    // Fresh globals, then the game as the runner starts it under `rules`.
    void start(PlayMode rules) {
        reset_game_globals();
        shown.clear();
        last_top_ = nullptr;
        old_dir_ = std::filesystem::current_path();
        ASSERT_EQ(start_headless_session(rules, QUILLMOOR_TEST_DATA_DIR), SESSION_RUNNING);
    }
    void stop() {
        stop_headless_session();
        std::filesystem::current_path(old_dir_);
        reset_game_globals();
    }

private:
    std::filesystem::path old_dir_;
    const SpeechLine* last_top_ = nullptr;
};

// Runs the game in a real (off-screen) window with the script and the profile in `dir`'s
// window_profile, new unless the test wrote one (the tester's own files are neither read nor
// touched); the recording goes to `out`.
inline ProgramRun run_window(const TempDir& dir, const std::string& script, const std::string& out) {
    write_text(dir.file("session.txt"), script);
    return run_program("SDL_VIDEODRIVER=dummy " + quoted(QUILLMOOR_EXE) + " --window --mute --data " + quoted(QUILLMOOR_TEST_DATA_DIR) +
                       " --profile " + quoted(dir.file("window_profile")) + " --input " + quoted(dir.file("session.txt")) +
                       " --record " + quoted(out));
}

// The frames a script's key lines last.
inline long frames_of(const InputScript& script) {
    long frames = 0;
    for (const ScriptStep& step : script.steps) frames += step.count;
    return frames;
}

// The boss of level 1, 2 or 3.
inline EnemyBase& level_boss(int level) {
    EnemyPools& p = world.pools;
    return level == 1 ? static_cast<EnemyBase&>(p.mole_boss) : level == 2 ? static_cast<EnemyBase&>(p.swine_boss) : p.wasp_boss;
}

// Plays of a sound or track, by file name, in an audio or state report; 0 when it never played.
inline long plays_in(const std::string& report, const std::string& file) {
    const auto at = report.find("\"" + file + "\": ");
    return at == std::string::npos ? 0 : std::strtol(report.c_str() + at + file.size() + 4, nullptr, 10);
}

// Pixels of palette index `index` on the back surface inside a screen rectangle (clipped to the
// screen).
inline int pixels_of(uint8_t index, int left, int top, int right, int bottom) {
    const Surface& back = display.back_surface;
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) n += x >= 0 && y >= 0 && x < 640 && y < 480 && back.pixels[y * back.pitch + x] == index;
    return n;
}

// Puts a sprite at screen (x, y); shows it first with show_at.
inline Sprite& put(Sprite& s, float x, float y) {
    s.x = x;
    s.y = y;
    return s;
}
inline Sprite& show_at(Sprite& s, float x, float y) {
    show_sprite(&s);
    return put(s, x, y);
}
// Whether `s` stands exactly at screen (x, y); where it stands instead when not.
inline ::testing::AssertionResult stands_at(const Sprite& s, float x, float y) {
    if (s.x == x && s.y == y) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "at (" << s.x << ", " << s.y << "), not (" << x << ", " << y << ")";
}
// Takes an enemy out of play: dead and hidden.
inline void take_out(EnemyBase& enemy) {
    enemy.alive = 0;
    hide_sprite(&enemy.body);
}

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
        delete_all_sounds();  // those a test loaded, and its screen
        display_shutdown();
        std::filesystem::current_path(old_dir_);
        reset_game_globals();
    }

    // Solid wall on the cell (row, col).
    static void wall(int row, int col, int32_t tile = 40) { tile_map[row][col] = tile; }
    // `enemy` alive and shown at screen (x, y) with `hit_points`, not moving until his next command.
    template <class Enemy>
    static Enemy& place(Enemy& enemy, float x, float y, int hit_points = 1) {
        put(enemy.body, x, y);
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
        show_at(sword, x, y);
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
    // The view's top-left corner at world (x, y).
    static void view_at(int32_t x, int32_t y) {
        world.scroll_x = x;
        world.scroll_y = y;
    }
    static bool visible(const Sprite& s) { return (s.attr & SPRITE_ATTR_VISIBLE) != 0; }
    // Updates of the world until `done()` holds, at most `limit`; -1 if it never does.
    template <class Done>
    static int updates_until(Done done, int limit) {
        for (int frame = 1; frame <= limit; ++frame) {
            world.update_world();
            if (done()) return frame;
        }
        return -1;
    }
    // The same until `s` is shown (or hidden, as `shown` says).
    static int updates_until(const Sprite& s, bool shown, int limit) {
        return updates_until([&] { return visible(s) == shown; }, limit);
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

// The loaded world in enhanced play with the screen and its pictures up: the hero in level 1 at
// (300, 200) facing right with three lives and full hearts, his walking speed set, no swing
// playing out and no key held.
class EnhancedWorld : public LoadedWorld {
protected:
    Player& hero = world.player;

    void SetUp() override {
        LoadedWorld::SetUp();
        ASSERT_TRUE(platform::text_init());
        ASSERT_EQ(display_init(640, 480, 8, 0), 1);
        load_enhanced_screens();
        play_mode = PlayMode::Enhanced;
        game.game_state = GAME_STATE_PLAYING;
        game.current_level = world.loaded_level = 1;
        hero.sword.anim_state = 1;  // no swing playing out
        hero.lives = 3;
        hero.hit_points = 5;
        put(hero.body, 300, 200);
        hero.body.xv = hero.body.yv = 4;
        hero.body.aux_3 = FACING_RIGHT;
        platform::set_keyboard_snapshot({});
    }
    // Share of a sprite's opaque pixels that show on the back surface as its own current frame.
    static double shown(const Sprite& s) {
        const Surface* f = s.frames[s.curr_frame];
        const Surface& back = display.back_surface;
        int opaque = 0, same = 0;
        for (int y = 0; y < f->height; ++y)
            for (int x = 0; x < f->width; ++x) {
                const uint8_t p = f->pixels[y * f->pitch + x];
                const int bx = static_cast<int>(s.x) + x, by = static_cast<int>(s.y) + y;
                if (p == f->color_key || bx < 0 || by < 0 || bx >= 640 || by >= 480) continue;
                ++opaque;
                same += back.pixels[by * back.pitch + bx] == p;
            }
        return opaque ? static_cast<double>(same) / opaque : 0;
    }
    // The hero just below `boss`, facing up, swings into him for one frame.
    void swing_up_into(const EnemyBase& boss) {
        put(hero.body, boss.body.x + 16, boss.body.y + 64);
        hero.body.aux_3 = FACING_UP;
        hold_keys({}, {platform::DIK_A});
        playing_frame();
        hold_keys({});
    }
    // Frames a sprite was blinked out, in all and in the longest run.
    struct Blinks {
        int hidden = 0, longest = 0, run = 0;
        void note(bool seen) {
            hidden += seen ? 0 : 1;
            run = seen ? 0 : run + 1;
            longest = std::max(longest, run);
        }
    };
};
