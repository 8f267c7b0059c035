// Every committed key script and replay (tests/keys, tests/replays) played through the game's loop, holding its "# expect FRAME: TEXT" lines.
// A rule, a level or the random sequence that changes a run fails here: each file's head says how it was made, to make it again.
#include <cstdio>
#include <sstream>

#include "app/state_json.h"
#include "test_game.h"
#include "story_lines.h"
#include "test_files.h"
#include "userfiles/settings.h"

namespace {

struct Expectation {
    long frame;
    std::string text;
};

std::vector<std::string> committed_runs() {
    std::vector<std::string> files;
    for (const char* folder : {"/tests/keys", "/tests/replays"})
        for (const auto& entry : std::filesystem::directory_iterator(std::string(QUILLMOOR_SOURCE_DIR) + folder))
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

class Replays : public HeadlessGame, public ::testing::WithParamInterface<std::string> {};

}  // namespace

TEST_P(Replays, HoldWhatTheyExpect) {
    const std::string text = read_text(GetParam());
    InputScript script;
    std::string error;
    ASSERT_TRUE(parse_input_script(text, script, error)) << error;
    // The run lasts its keys, its "# frames: N" or its last expectation, whichever is longest.
    long frames = frames_of(script);
    std::vector<Expectation> expected;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        long frame = 0;
        int text_at = 0;
        if (std::sscanf(line.c_str(), "# frames: %ld", &frame) == 1 ||
            (std::sscanf(line.c_str(), "# expect %ld: %n", &frame, &text_at) == 1 && text_at > 0))
            frames = std::max(frames, frame);
        if (text_at > 0) expected.push_back({frame, line.substr(static_cast<size_t>(text_at))});
    }
    ASSERT_FALSE(expected.empty()) << "a committed run says what it guards";

    const PlayMode mode = script.play_mode == play_mode_name(PlayMode::Enhanced) ? PlayMode::Enhanced : PlayMode::Classic;
    play_mode = mode;  // the story as this mode tells it
    const WholeStory story = whole_story();
    stop();
    start(mode);
    // A recording's assists, as the runner's replay takes them.
    Settings recorded;
    std::vector<std::string> ignored;
    parse_settings(script.recorded_settings, recorded, ignored);
    assists = assists_of(recorded);
    bool story_told = false;
    long fight_start[3] = {-1, -1, -1}, fight[3] = {-1, -1, -1};  // each boss's, in frames
    for (long f = 1; f <= frames; ++f) {
        const int32_t state_before = game.game_state;
        frame(script.keys_at(f));
        // Enhanced play leaves the last line for the end scene within one frame, never showing the
        // bare level between them.
        if (game.game_state == GAME_STATE_ENDING && state_before != GAME_STATE_ENDING) {
            EXPECT_EQ(game.ending_frame, 1) << "frame " << f << " leaves play but does not show the end scene";
        }
        if (!story_told && game.current_level == 4 && world.dialog_box.speech_is_idle()) {
            story_told = true;
            std::erase_if(shown, [&](const std::string& line) { return std::count(story.locked_door.begin(), story.locked_door.end(), line); });
            EXPECT_EQ(shown, story.in_order) << "every line of the story, in order, by frame " << f;
        }
        // A boss fight lasts from the end of his meeting lines to his fall.
        if (const int level = game.current_level; level >= 1 && level <= 3 && game.game_state == GAME_STATE_PLAYING) {
            const EnemyBase& boss = level_boss(level);
            long& start = fight_start[level - 1];
            if (start < 0 && world.boss_taunt_shown && boss.alive && world.dialog_box.speech_is_idle()) start = f;
            if (start >= 0 && fight[level - 1] < 0 && !boss.alive) fight[level - 1] = f - start;
        }
        for (const Expectation& e : expected)
            if (e.frame == f) {
                const std::string report = game_state_json();
                EXPECT_NE(report.find(e.text), std::string::npos) << "frame " << f << ": " << e.text << "\n" << report;
            }
    }
    // In enhanced play, where a boss takes one blow a swing, each holds out longer than the last.
    if (mode == PlayMode::Enhanced && story_told) {
        EXPECT_GT(fight[0], 0) << "Dorvik Mole falls";
        EXPECT_GT(fight[1], fight[0]) << "Lord Hogrand holds out longer than Dorvik Mole";
        EXPECT_GT(fight[2], fight[1]) << "King Vespro holds out longer than Lord Hogrand";
    }
}

INSTANTIATE_TEST_SUITE_P(Committed, Replays, ::testing::ValuesIn(committed_runs()), [](const auto& info) {
    std::string name = std::filesystem::path(info.param).stem().string();
    std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
});
