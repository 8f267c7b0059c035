// The autopilot plays the generated levels from the title to the last line, and its key script alone, replayed headless, finishes the game too.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "test_files.h"

// A player needs several thousand frames a level (a few minutes at 33 frames a second); the
// autopilot's walk, fights and reading take about 10000 for the three levels. The budget
// (8000 a level) leaves room for layouts that make the way longer, and stops a lost pilot.
constexpr long FRAME_BUDGET = 24000;

TEST(Autopilot, FinishesTheStoryWithinItsBudgetAndItsKeysAloneDoToo) {
    TempDir dir;
    const std::string keys = dir.file("autopilot.txt");
    const ProgramRun run = run_program(quoted(QUILLMOOR_AUTOPILOT) + " --data " + quoted(QUILLMOOR_TEST_DATA_DIR) + " --frames " +
                                       std::to_string(FRAME_BUDGET) + " --out " + quoted(keys));
    const std::string report = run.out + run.errors;
    long frames = 0;
    int lives = 0;
    char story[32] = {};
    ASSERT_EQ(std::sscanf(report.c_str(), "autopilot: %ld frames, %d lives left, story %31s", &frames, &lives, story), 3) << report;
    EXPECT_EQ(std::string(story), "finished") << report;
    EXPECT_EQ(run.exit_status, 0) << report;
    EXPECT_LE(frames, FRAME_BUDGET);
    EXPECT_GT(lives, 0);

    HeadlessRun replay = run_headless(dir, read_text(keys), frames);
    ASSERT_EQ(replay.exit_status, 0) << replay.errors;
    EXPECT_EQ(json_int(replay.state, "current_level"), 4);
    EXPECT_EQ(json_value(replay.state, "game_state"), "Playing");
    EXPECT_EQ(json_int(replay.state, "jail_doors"), 0);
    EXPECT_EQ(json_int(replay.state, "lives"), lives);
    for (const char* boss : {"\"mole\": {\"alive\": false", "\"swine\": {\"alive\": false", "\"wasp\": {\"alive\": false"})
        EXPECT_NE(replay.state.find(boss), std::string::npos) << boss;
}
