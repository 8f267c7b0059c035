// Recording in the window and replaying headless: the same keys, frame for frame, give the same
// run; a recording cut by a crash keeps every complete line.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "app/input_script.h"
#include "app/key_recorder.h"
#include "test_files.h"

namespace {

// Title, progress map, a walk, a few sword swings, back to the title, down past NEW GAME to Quit.
// No two neighbouring lines hold the same keys, so the recording's lines are exactly these.
const char* const SESSION =
    "20 -\n1 enter\n5 -\n1 space\n30 -\n25 right\n3 right+a\n8 -\n20 down\n2 a\n12 up\n1 escape\n5 -\n1 down\n20 -\n1 down\n5 -\n1 enter\n";

// Runs the game in a real (off-screen) window with the script; the recording goes to `out`.
ProgramRun run_window(const TempDir& dir, const std::string& script, const std::string& out) {
    write_text(dir.file("session.txt"), script);
    return run_program("SDL_VIDEODRIVER=dummy " + quoted(QUILLMOOR_EXE) + " --window --mute --data " + quoted(QUILLMOOR_TEST_DATA_DIR) +
                       " --input " + quoted(dir.file("session.txt")) + " --record " + quoted(out));
}

// The recording without its comment lines.
std::string body_of(const std::string& recording) {
    std::stringstream in(recording);
    std::string line, body;
    while (std::getline(in, line))
        if (!line.empty() && line[0] != '#') body += line + "\n";
    return body;
}

}  // namespace

TEST(Recording, AWindowSessionReplaysHeadlessExactly) {
    TempDir dir;
    const std::string recorded = dir.file("recorded.txt");
    const ProgramRun window = run_window(dir, SESSION, recorded);
    ASSERT_EQ(window.exit_status, 0) << window.errors;
    const std::string recording = read_text(recorded);
    EXPECT_EQ(body_of(recording), SESSION) << "one line per run of equal keys, every frame up to Quit";
    EXPECT_NE(recording.find("# version "), std::string::npos);
    EXPECT_NE(recording.find("# mode enhanced\n"), std::string::npos) << "the window plays enhanced unless asked";
    EXPECT_NE(recording.find("# data "), std::string::npos);

    // The recording alone, headless and with no mode given, plays what the window played:
    // the session's own keys in the enhanced mode, to the same last frame.
    HeadlessRun replay = run_headless(dir, recording, 100000, "--shot 100:'" + dir.file("replay.bmp") + "'");
    HeadlessRun source = run_headless(dir, SESSION, 100000, "--enhanced --shot 100:'" + dir.file("source.bmp") + "'");
    ASSERT_EQ(replay.exit_status, 0) << replay.errors;
    EXPECT_EQ(replay.errors, "") << "the same data: no warning";
    EXPECT_EQ(json_value(replay.state, "play_mode"), "enhanced");
    EXPECT_EQ(json_int(replay.state, "frame"), 161) << "Enter on Quit is the last frame";
    EXPECT_EQ(replay.state, source.state);
    EXPECT_EQ(read_text(dir.file("replay.bmp")), read_text(dir.file("source.bmp")));
}

TEST(Recording, OtherDataWarnsOnceAndPlaysAnyway) {
    TempDir dir;
    const std::string header = "# version x\n# mode classic\n# data 0000000000000000\n";
    HeadlessRun replay = run_headless(dir, header + SESSION, 100000);
    HeadlessRun source = run_headless(dir, SESSION, 100000);
    EXPECT_EQ(replay.state, source.state);
    std::stringstream errors(replay.errors);
    std::string first, second;
    std::getline(errors, first);
    EXPECT_NE(first.find("recorded on other data"), std::string::npos) << replay.errors;
    EXPECT_FALSE(std::getline(errors, second)) << "one warning only: " << replay.errors;
}

// A recording cut short: a window killed mid-play leaves every complete line up to its last
// second, which replays as the keys played.
namespace {

// Title, progress map, then a walk held for 300 frames: longer than a second, so the kill
// comes while a run is still held.
const char* const HELD_SESSION = "20 -\n1 enter\n5 -\n1 space\n30 -\n300 right\n10 a\n40 left\n";

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
    write_text(dir.file("session.txt"), HELD_SESSION);
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
    ASSERT_TRUE(parse_input_script(HELD_SESSION, session, error)) << error;
    EXPECT_TRUE(recorded.recorded);
    EXPECT_EQ(recorded.cut_line, 0) << "every line is written whole";
    const long frames = frames_of(recorded);
    ASSERT_GE(frames, 57 + 2 * RECORDING_FLUSH_FRAMES);
    for (long frame = 1; frame <= frames; ++frame) ASSERT_EQ(recorded.keys_at(frame), session.keys_at(frame)) << "frame " << frame;

    // The recording replays to the state the same keys reach uncut, frame for frame.
    HeadlessRun replay = run_headless(dir, text, frames);
    HeadlessRun source = run_headless(dir, HELD_SESSION, frames, "--enhanced");
    ASSERT_EQ(replay.exit_status, 0) << replay.errors;
    EXPECT_EQ(replay.errors, "");
    EXPECT_EQ(json_int(replay.state, "frame"), frames);
    EXPECT_EQ(replay.state, source.state);
}

// A cut last line is left out with one warning, a script of no key line is warned of, and a
// count over the limit is named.
TEST(RecordingCrash, ACutLastLineAScriptOfNoKeysAndAnOutsizedCountAreTold) {
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

    HeadlessRun empty = run_headless(dir, "", 3);
    EXPECT_EQ(empty.exit_status, 0);
    EXPECT_NE(empty.errors.find("warning: " + dir.file("keys.txt") + ": the file is empty"), std::string::npos) << empty.errors;
    HeadlessRun header_only = run_headless(dir, std::string(RECORDING_FIRST_LINE) + "\n# version 1", 3);
    EXPECT_EQ(header_only.exit_status, 0);
    EXPECT_NE(header_only.errors.find("there is no 'COUNT KEYS' line"), std::string::npos) << header_only.errors;

    EXPECT_FALSE(parse_input_script("1 -\n100000001 up\n", script, error));
    EXPECT_NE(error.find("line 2: the count 100000001 is out of range (0 to 100000000 frames)"), std::string::npos) << error;
    EXPECT_FALSE(parse_input_script("99999999999999999999999 up\n", script, error));
    EXPECT_NE(error.find("out of range"), std::string::npos) << error;
    EXPECT_TRUE(parse_input_script("100000000 up\n", script, error)) << error;
}
