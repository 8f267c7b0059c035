// Whole-game behaviour through the headless runner: from the title into level 1, the
// opening lines, walking and scrolling, leaving and resuming.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "run_game.h"

namespace {

// Title: Enter at frame 21; the map from frame 22; Space at frame 27 starts play at 28.
const std::string INTO_LEVEL_1 = "20 -\n1 enter\n5 -\n";

// The generated data with a level 1 of open floor inside a wall border and no moles.
struct OpenLevelData {
    TempDir dir;
    OpenLevelData() {
        for (const auto& entry : std::filesystem::directory_iterator(QUILLMOOR_TEST_DATA_DIR))
            std::filesystem::copy(entry.path(), dir.path / entry.path().filename());
        std::string map;
        for (int row = 0; row < 200; ++row) {
            for (int col = 0; col < 200; ++col) {
                const bool border = row == 0 || col == 0 || row == 199 || col == 199;
                map += border ? "40 " : "0 ";
            }
            map += "\n";
        }
        write_text(dir.file("Level1.txt"), map);
        write_text(dir.file("level1Moles.txt"), "");
    }
};

// The text of the member `key` inside the object member `object` of the report.
std::string member_of(const std::string& json, const std::string& object, const std::string& key) {
    const auto at = json.find("\"" + object + "\": {");
    if (at == std::string::npos) return "<missing>";
    return json_value(json.substr(at, json.find('}', at) - at + 1), key);
}

int speech_lines(const std::string& json) {
    const auto at = json.find("\"speech\": [");
    if (at == std::string::npos) return -1;
    const auto end = json.find(']', at);
    int n = 0;
    for (auto p = json.find("\"speaker\"", at); p != std::string::npos && p < end; p = json.find("\"speaker\"", p + 1)) ++n;
    return n;
}

}  // namespace

TEST(WorldGame, StartOpensLevelOneWithTheHerosQuestionFirst) {
    TempDir dir;
    HeadlessRun run = run_headless(dir, INTO_LEVEL_1 + "1 space\n", 30);
    ASSERT_EQ(run.exit_status, 0) << run.errors;
    EXPECT_EQ(json_value(run.state, "game_state"), "Playing");
    EXPECT_EQ(json_int(run.state, "loaded_level"), 1);
    EXPECT_EQ(speech_lines(run.state), 2);
    const auto first = run.state.find("\"speech\": [{\"speaker\": 0, \"text\": \"Grandfather, what happened?!?\"}");
    EXPECT_NE(first, std::string::npos) << run.state;
    EXPECT_NE(run.state.find("{\"speaker\": 1, \"text\": \"The evil Vorrocks have taken the citizens of Curdwick.  "
                             "Take my sword and save them!!!\"}]"),
              std::string::npos);
    EXPECT_EQ(member_of(run.state, "hero", "lives"), "10");
    EXPECT_EQ(member_of(run.state, "hero", "hit_points"), "5");
    EXPECT_EQ(member_of(run.state, "hero", "world_x"), "200.00");
    EXPECT_EQ(member_of(run.state, "hero", "world_y"), "380.00");
    EXPECT_EQ(member_of(run.state, "hero", "has_bow"), "false");
}

TEST(WorldGame, HeldSpaceDropsTheOpeningLinesElevenFramesApart) {
    TempDir dir;
    const std::string script = INTO_LEVEL_1 + "40 space\n";
    // Play starts at frame 28: the delay passes 10 at frame 38 and again at 49.
    const std::pair<long, int> expected[] = {{37, 2}, {38, 1}, {48, 1}, {49, 0}};
    for (const auto& [frames, lines] : expected) {
        HeadlessRun run = run_headless(dir, script, frames);
        ASSERT_EQ(run.exit_status, 0) << run.errors;
        EXPECT_EQ(speech_lines(run.state), lines) << "after frame " << frames;
        if (lines == 1) {
            EXPECT_NE(run.state.find("\"speech\": [{\"speaker\": 1,"), std::string::npos);
        }
    }
}

TEST(WorldGame, TheHeroWalksAndTheViewScrollsPastTheBand) {
    OpenLevelData data;
    TempDir dir;
    // Lines dropped by frame 49; then right for 100 frames and down for 20.
    const std::string script = INTO_LEVEL_1 + "23 space\n5 -\n100 right\n20 down\n";
    HeadlessRun run = run_headless(dir, script, 26 + 23 + 5 + 100, "", data.dir.path.string());
    ASSERT_EQ(run.exit_status, 0) << run.errors;
    EXPECT_EQ(speech_lines(run.state), 0);
    EXPECT_EQ(member_of(run.state, "hero", "x"), "452.00") << "the hero stops at the band's edge";
    const long scroll_x = json_int(run.state, "scroll_x");
    EXPECT_EQ(scroll_x, 400 - 252) << "100 steps of 4 pixels: 252 walked, the rest scrolled";
    EXPECT_EQ(std::stol(member_of(run.state, "hero", "world_x")), 452 + scroll_x);
    EXPECT_EQ(member_of(run.state, "hero", "facing"), "3");

    run = run_headless(dir, script, 26 + 23 + 5 + 100 + 20, "", data.dir.path.string());
    EXPECT_EQ(json_int(run.state, "scroll_y"), 80) << "below y 290 the view scrolls at once";
    EXPECT_EQ(member_of(run.state, "hero", "y"), "380.00");
    EXPECT_EQ(json_int(run.state, "scroll_x"), scroll_x);
}

TEST(WorldGame, EscapeAndStartResumeWhereTheHeroStood) {
    OpenLevelData data;
    TempDir dir;
    const std::string script = INTO_LEVEL_1 + "23 space\n5 -\n30 up\n1 escape\n20 -\n1 enter\n5 -\n";
    HeadlessRun run = run_headless(dir, script, 26 + 23 + 5 + 30, "", data.dir.path.string());
    const std::string y_before = member_of(run.state, "hero", "world_y");
    run = run_headless(dir, script, 26 + 23 + 5 + 30 + 1 + 20 + 1 + 5, "", data.dir.path.string());
    ASSERT_EQ(run.exit_status, 0) << run.errors;
    EXPECT_EQ(json_value(run.state, "game_state"), "Playing");
    EXPECT_EQ(member_of(run.state, "hero", "world_y"), y_before);
    EXPECT_NE(y_before, "380.00");
    EXPECT_EQ(speech_lines(run.state), 0) << "no opening lines again on resuming";
}
