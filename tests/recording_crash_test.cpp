// A recording cut short: a window killed mid-play leaves every complete line up to its last
// second, which replays as the keys played; a cut last line, an empty file and an outsized
// count are told.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "app/input_script.h"
#include "app/key_recorder.h"
#include "run_game.h"

namespace {

// Title, progress map, then a walk held for 300 frames: longer than a second, so the kill
// comes while a run is still held.
const char* const SESSION = "20 -\n1 enter\n5 -\n1 space\n30 -\n300 right\n10 a\n40 left\n";

// The last line of a recording, without its newline.
std::string last_line(const std::string& text) {
    const auto end = text.find_last_of('\n');
    if (end == std::string::npos || end == 0) return {};
    const auto start = text.find_last_of('\n', end - 1);
    return text.substr(start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1));
}

long frames_of(const InputScript& script) {
    long frames = 0;
    for (const ScriptStep& step : script.steps) frames += step.count;
    return frames;
}

}  // namespace

TEST(RecordingCrash, AWindowKilledWhileAKeyIsHeldReplaysEveryLineItWrote) {
    TempDir dir;
    write_text(dir.file("session.txt"), SESSION);
    const std::string recording = dir.file("recorded.txt");
    const pid_t game = ::fork();
    if (game == 0) {
        ::setenv("SDL_VIDEODRIVER", "dummy", 1);
        std::freopen(dir.file("window_errors.txt").c_str(), "w", stderr);
        ::execl(QUILLMOOR_EXE, QUILLMOOR_EXE, "--window", "--mute", "--data", QUILLMOOR_TEST_DATA_DIR, "--input",
                dir.file("session.txt").c_str(), "--record", recording.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // Killed once the held walk has been written out at least twice: a crash in the middle of
    // a run, long after its last change of keys.
    std::string text;
    bool exited = false;
    for (int wait = 0; wait < 6000 && !exited; ++wait) {  // a minute at most, for a loaded machine
        text = read_text(recording);
        if (last_line(text).find(" right") != std::string::npos && std::stol(last_line(text)) >= 2 * RECORDING_FLUSH_FRAMES) break;
        int status = 0;
        exited = ::waitpid(game, &status, WNOHANG) == game;
        ::usleep(10000);
    }
    ASSERT_FALSE(exited) << "the window ended by itself: " << read_text(dir.file("window_errors.txt"));
    ::kill(game, SIGKILL);
    ::waitpid(game, nullptr, 0);
    text = read_text(recording);
    ASSERT_NE(last_line(text).find(" right"), std::string::npos) << text;

    InputScript recorded, session;
    std::string error;
    ASSERT_TRUE(parse_input_script(text, recorded, error)) << error;
    ASSERT_TRUE(parse_input_script(SESSION, session, error)) << error;
    EXPECT_TRUE(recorded.recorded);
    EXPECT_EQ(recorded.cut_line, 0) << "every line is written whole";
    const long frames = frames_of(recorded);
    ASSERT_GE(frames, 57 + 2 * RECORDING_FLUSH_FRAMES);
    for (long frame = 1; frame <= frames; ++frame) ASSERT_EQ(recorded.keys_at(frame), session.keys_at(frame)) << "frame " << frame;

    // The recording replays to the state the same keys reach uncut, frame for frame.
    HeadlessRun replay = run_headless(dir, text, frames);
    HeadlessRun source = run_headless(dir, SESSION, frames, "--enhanced");
    ASSERT_EQ(replay.exit_status, 0) << replay.errors;
    EXPECT_EQ(replay.errors, "");
    EXPECT_EQ(json_int(replay.state, "frame"), frames);
    EXPECT_EQ(replay.state, source.state);
}

TEST(RecordingCrash, ALastLineCutOffIsLeftOutWithOneWarning) {
    TempDir dir;
    const std::string header = std::string(RECORDING_FIRST_LINE) + "\n# mode classic\n";
    const std::string whole = "20 -\n1 enter\n5 -\n1 space\n";
    // The cut leaves "12" of "120 right": played, it would walk for 12 frames.
    HeadlessRun cut = run_headless(dir, header + whole + "12", 60);
    HeadlessRun complete = run_headless(dir, whole, 60);
    ASSERT_EQ(cut.exit_status, 0) << cut.errors;
    EXPECT_EQ(cut.state, complete.state);
    EXPECT_NE(cut.errors.find("line 7 is cut off"), std::string::npos) << cut.errors;
    EXPECT_EQ(std::count(cut.errors.begin(), cut.errors.end(), '\n'), 1) << cut.errors;

    // A hand-written script without the recorder's first line keeps its last line as it was.
    InputScript script;
    std::string error;
    ASSERT_TRUE(parse_input_script("3 up", script, error)) << error;
    EXPECT_EQ(frames_of(script), 3);
    EXPECT_FALSE(parse_input_script("1 lef", script, error));
}

TEST(RecordingCrash, AScriptWithNoKeyLineWarns) {
    TempDir dir;
    HeadlessRun empty = run_headless(dir, "", 3);
    EXPECT_EQ(empty.exit_status, 0);
    EXPECT_NE(empty.errors.find("warning: " + dir.file("keys.txt") + ": the file is empty"), std::string::npos) << empty.errors;
    HeadlessRun header_only = run_headless(dir, std::string(RECORDING_FIRST_LINE) + "\n# version 1", 3);
    EXPECT_EQ(header_only.exit_status, 0);
    EXPECT_NE(header_only.errors.find("there is no 'COUNT KEYS' line"), std::string::npos) << header_only.errors;
}

TEST(RecordingCrash, ACountOverTheLimitIsNamed) {
    InputScript script;
    std::string error;
    EXPECT_FALSE(parse_input_script("1 -\n100000001 up\n", script, error));
    EXPECT_NE(error.find("line 2: the count 100000001 is out of range (0 to 100000000 frames)"), std::string::npos) << error;
    EXPECT_FALSE(parse_input_script("99999999999999999999999 up\n", script, error));
    EXPECT_NE(error.find("out of range"), std::string::npos) << error;
    EXPECT_TRUE(parse_input_script("100000000 up\n", script, error)) << error;
}
