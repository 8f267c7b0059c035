// The whole game started headless and in process in the generated data folder, as the headless
// runner starts it, and stepped one frame at a time with script keys held.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/headless_session.h"
#include "app/input_script.h"
#include "audio/audio_report.h"
#include "game/game.h"
#include "world/world.h"

class HeadlessGame : public ::testing::Test {
public:
    std::vector<std::string> shown;  // every speech line in the order it came to the top of the box
    long frames_run = 0;

    // One frame of the game with the script keys `keys` (SCRIPT_KEY_* bits) held.
    void frame(unsigned keys = 0) {
        headless_frame(keys);
        ++frames_run;
        const SpeechLine* top = world.dialog_box.top;
        if (top && top != last_top_) shown.push_back(top->text);
        last_top_ = top;
    }
    void frames(int count, unsigned keys = 0) {
        for (int i = 0; i < count; ++i) frame(keys);
    }

protected:
    void SetUp() override { start(PlayMode::Classic); }
    void TearDown() override { stop(); }

    // Fresh globals, then the game as the runner starts it under `rules`.
    void start(PlayMode rules) {
        reset_game_globals();
        shown.clear();
        frames_run = 0;
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
