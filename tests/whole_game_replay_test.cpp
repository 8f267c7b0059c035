// The committed whole-game run (the autopilot's key script) replayed frame by frame through
// the game's loop, checked at each level's end and at the last line of the story. When a
// level, a rule or the random sequence changes the run, this fails: record it again with
// `autopilot --out tests/replays/whole_game.txt` and say so in the commit.
#include <string>
#include <vector>

#include "headless_game.h"
#include "story_order.h"
#include "test_files.h"

namespace {

const std::string REPLAY = std::string(QUILLMOOR_SOURCE_DIR) + "/tests/replays/whole_game.txt";

int jail_doors_left() {
    int doors = 0;
    for (int row = 0; row < MAP_ROWS; ++row)
        for (int col = 0; col < MAP_COLUMNS; ++col) doors += tile_at(row, col) == TILE_JAIL_DOOR;
    return doors;
}

using WholeGame = HeadlessGame;

}  // namespace

TEST_F(WholeGame, TheRecordedRunFinishesTheStoryOnItsLastFrame) {
    InputScript script;
    std::string error;
    ASSERT_TRUE(parse_input_script(read_text(REPLAY), script, error)) << REPLAY << ": " << error;
    long length = 0;
    for (const ScriptStep& step : script.steps) length += step.count;
    ASSERT_GT(length, 0) << REPLAY;

    int level = 0;
    while (frames_run < length) {
        ASSERT_FALSE(game.current_level == 4 && world.dialog_box.speech_is_idle()) << "the story ended early, at frame " << frames_run;
        frame(script.keys_at(frames_run + 1));
        ASSERT_NE(game.game_state, GAME_STATE_GAME_OVER) << "the hero ran out of lives at frame " << frames_run;
        if (game.current_level == level) continue;
        // A level has just been completed: everything in it was done first.
        if (level >= 1) {
            SCOPED_TRACE("the end of level " + std::to_string(level) + ", frame " + std::to_string(frames_run));
            EXPECT_EQ(game.current_level, level + 1);
            EXPECT_FALSE(level_boss(level).alive) << "the boss is beaten";
            EXPECT_TRUE(world.player.has_key);
            EXPECT_EQ(jail_doors_left(), 0) << "every jail door is open";
        }
        level = game.current_level;
    }
    EXPECT_EQ(game.current_level, 4);
    EXPECT_TRUE(world.dialog_box.speech_is_idle()) << "the last line has been read";
    EXPECT_EQ(game.game_state, GAME_STATE_PLAYING);
    EXPECT_GT(world.player.hit_points, 0);
    EXPECT_GT(world.player.lives, 0);
    for (int l = 1; l <= 3; ++l) EXPECT_FALSE(level_boss(l).alive) << "boss of level " << l;

    std::vector<std::string> story;
    for (const std::string& line : story_in_order())
        if (!locked_door_line(line)) story.push_back(line);
    std::erase_if(shown, locked_door_line);
    EXPECT_EQ(shown, story) << "every line of the story, in order";
}
