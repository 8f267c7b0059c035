// The committed whole-game run (the autopilot's key script) replayed frame by frame through
// the game's loop, checked at each level's end and at the last line of the story. When a
// level, a rule or the random sequence changes the run, this fails: record it again with
// `autopilot --out tests/replays/whole_game.txt` and say so in the commit.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/keyboard.h"
#include "platform/platform.h"
#include "shell/game.h"
#include "shell/input_script.h"
#include "story_order.h"
#include "test_files.h"
#include "world/world.h"

namespace {

const std::string REPLAY = std::string(QUILLMOOR_SOURCE_DIR) + "/tests/replays/whole_game.txt";

int jail_doors_left() {
    int doors = 0;
    for (int row = 0; row < MAP_ROWS; ++row)
        for (int col = 0; col < MAP_COLUMNS; ++col) doors += tile_at(row, col) == TILE_JAIL_DOOR;
    return doors;
}

const EnemyBase& level_boss(int level) {
    const EnemyPools& p = world.pools;
    return level == 1 ? static_cast<const EnemyBase&>(p.mole_boss)
                      : level == 2 ? static_cast<const EnemyBase&>(p.swine_boss) : static_cast<const EnemyBase&>(p.wasp_boss);
}

class WholeGame : public ::testing::Test {
protected:
    void SetUp() override {
        reset_game_globals();
        old_dir_ = std::filesystem::current_path();
        std::filesystem::current_path(QUILLMOOR_TEST_DATA_DIR);
        platform::Config config;
        config.backend = platform::Backend::Headless;
        config.mute = true;
        ASSERT_TRUE(platform::init(config));
        ASSERT_EQ(game_init(), 1);
    }
    void TearDown() override {
        game_shutdown();
        platform::shutdown();
        std::filesystem::current_path(old_dir_);
        reset_game_globals();
    }

private:
    std::filesystem::path old_dir_;
};

}  // namespace

TEST_F(WholeGame, TheRecordedRunFinishesTheStoryOnItsLastFrame) {
    InputScript script;
    std::string error;
    ASSERT_TRUE(parse_input_script(read_text(REPLAY), script, error)) << REPLAY << ": " << error;
    long frames = 0;
    for (const ScriptStep& step : script.steps) frames += step.count;
    ASSERT_GT(frames, 0) << REPLAY;

    std::vector<std::string> shown;
    const SpeechLine* last_top = nullptr;
    int level = 0;
    for (long frame = 1; frame <= frames; ++frame) {
        ASSERT_FALSE(shell.current_level == 4 && world.dialog_box.speech_is_idle()) << "the story ended early, at frame " << frame - 1;
        platform::set_keyboard_snapshot(snapshot_for(script.keys_at(frame)));
        game_main();
        const SpeechLine* top = world.dialog_box.top;
        if (top && top != last_top) shown.push_back(top->text);
        last_top = top;
        ASSERT_NE(shell.game_state, GAME_STATE_GAME_OVER) << "the hero ran out of lives at frame " << frame;
        if (shell.current_level == level) continue;
        // A level has just been completed: everything in it was done first.
        if (level >= 1) {
            SCOPED_TRACE("the end of level " + std::to_string(level) + ", frame " + std::to_string(frame));
            EXPECT_EQ(shell.current_level, level + 1);
            EXPECT_FALSE(level_boss(level).alive) << "the boss is beaten";
            EXPECT_TRUE(world.player.has_key);
            EXPECT_EQ(jail_doors_left(), 0) << "every jail door is open";
        }
        level = shell.current_level;
    }
    EXPECT_EQ(shell.current_level, 4);
    EXPECT_TRUE(world.dialog_box.speech_is_idle()) << "the last line has been read";
    EXPECT_EQ(shell.game_state, GAME_STATE_PLAYING);
    EXPECT_GT(world.player.hit_points, 0);
    EXPECT_GT(world.player.lives, 0);
    for (int l = 1; l <= 3; ++l) EXPECT_FALSE(level_boss(l).alive) << "boss of level " << l;

    std::vector<std::string> story;
    for (const std::string& line : story_in_order())
        if (!locked_door_line(line)) story.push_back(line);
    std::erase_if(shown, locked_door_line);
    EXPECT_EQ(shown, story) << "every line of the story, in order";
}
