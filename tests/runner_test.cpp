// The game's entries: options, key scripts, the runners, recordings and replays, clock, random, JSON.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>

#include "app/input_script.h"
#include "app/key_recorder.h"
#include "app/options.h"
#include "app/runner.h"
#include "base/game_random.h"
#include "base/json_writer.h"
#include "platform/headless.h"
#include "platform/platform.h"
#include "test_files.h"
#include "test_game.h"

TEST(GameRandom, IsTheClassicSequenceFromStateOne) {
    reset_game_rand();
    for (int expected : {41, 18467, 6334, 26500}) EXPECT_EQ(game_rand(), expected);
    reset_game_rand();
    EXPECT_EQ(game_rand(), 41);
}

TEST(InputScript, ParsesStepsFindsKeysWhetherFramesRiseOrGoBackHoldsEveryKeySetAndNamesTheBadLine) {
    InputScript script;
    std::string error;
    ASSERT_TRUE(parse_input_script("# warm up\n3 -\n\n2 up+a  # both\n1 z\n", script, error)) << error;
    EXPECT_EQ(script.keys_at(1), 0u);
    EXPECT_EQ(script.keys_at(4), SCRIPT_KEY_UP | SCRIPT_KEY_A);
    EXPECT_EQ(script.keys_at(6), SCRIPT_KEY_Z);
    EXPECT_EQ(script.keys_at(7), 0u) << "nothing held after the last line";

    for (const char* bad : {"1 -\nx up\n", "1 -\n2 jump\n", "1 -\n-3 up\n", "1 -\n2\n", "1 -\n2 up extra\n", "1 -\n2 up+\n"}) {
        InputScript s;
        std::string e;
        EXPECT_FALSE(parse_input_script(bad, s, e)) << bad;
        EXPECT_NE(e.find("line 2"), std::string::npos) << e;
    }

    script = InputScript{};
    ASSERT_TRUE(parse_input_script("2 up\n0 down\n3 a\n1 -\n", script, error));
    const unsigned expected[] = {0, SCRIPT_KEY_UP, SCRIPT_KEY_UP, SCRIPT_KEY_A, SCRIPT_KEY_A, SCRIPT_KEY_A, 0, 0};
    for (long frame = 1; frame <= 7; ++frame) EXPECT_EQ(script.keys_at(frame), expected[frame]) << frame;
    EXPECT_EQ(script.keys_at(2), SCRIPT_KEY_UP) << "going back restarts the cursor";
    EXPECT_EQ(script.keys_at(5), SCRIPT_KEY_A);

    // Every key set survives the snapshot and the line.
    for (unsigned keys = 0; keys < (1u << 9); ++keys) {
        ASSERT_EQ(keys_of(snapshot_for(keys)), keys);
        InputScript script;
        std::string error;
        ASSERT_TRUE(parse_input_script(script_line(3, keys), script, error)) << error;
        ASSERT_EQ(script.keys_at(3), keys) << script_line(3, keys);
    }
}

TEST(HeadlessRunner, TheSameKeysMakeTheSameRunWhichDumpsFramesAndRefusesBadInvocationsAndOutputs) {
    TempDir dir;
    HeadlessRun run = run_headless(dir, "5 -\n", 5, "--shot 3:'" + dir.file("f3.bmp") + "'");
    ASSERT_EQ(run.exit_status, 0) << run.errors;
    const std::string bmp = read_text(dir.file("f3.bmp"));
    ASSERT_EQ(bmp.size(), 14u + 40 + 1024 + 640 * 480);
    EXPECT_EQ(bmp.substr(0, 2), "BM");

    run = run_headless(dir, "20 -\n1 down\n10 -\n1 enter\n", 500);
    EXPECT_EQ(run.exit_status, 0) << run.errors;
    EXPECT_EQ(json_int(run.state, "frame"), 32) << "Enter on Quit ends the run";

    EXPECT_EQ(run_headless(dir, "1 -\nnonsense here\n", 5).exit_status, 2);
    EXPECT_NE(run_headless(dir, "1 -\n", 5, "--bogus").exit_status, 0);
    EXPECT_EQ(run_headless(dir, "1 -\n", 5, "", dir.file("no-such-folder")).exit_status, 1);

    std::filesystem::create_directories(dir.path / "folder");
    run = run_headless(dir, "", 3, "--input '" + dir.file("folder") + "'");
    EXPECT_EQ(run.exit_status, 2);
    EXPECT_NE(run.errors.find("--input " + dir.file("folder") + ": is a directory"), std::string::npos) << run.errors;

    run = run_headless(dir, "", 3, "--shot 9:'" + dir.file("late.bmp") + "'");
    EXPECT_EQ(run.exit_status, 0);
    EXPECT_NE(run.errors.find("warning: --shot 9:" + dir.file("late.bmp") + ": the run ended at frame 3"), std::string::npos) << run.errors;
    EXPECT_FALSE(std::filesystem::exists(dir.file("late.bmp")));

    // A run of no frames reports the state before the first.
    run = run_headless(dir, "3 -\n", 0);
    EXPECT_EQ(run.exit_status, 0) << run.errors;
    EXPECT_EQ(json_int(run.state, "frame"), 0) << run.state;

    // Into level 1, through the opening lines, then walking and fighting among the moles; the
    // browser build's test plays the same script.
    const std::string script = read_text(std::string(QUILLMOOR_SOURCE_DIR) + "/tests/keys/fight.keys");
    const std::string extra = "--shot 450:'" + dir.file("a.bmp") + "' --hashes '" + dir.file("a.hashes") + "'";
    HeadlessRun first = run_headless(dir, script, 450, extra);
    const std::string first_frame = read_text(dir.file("a.bmp"));
    const std::string first_hashes = read_text(dir.file("a.hashes"));
    HeadlessRun second = run_headless(dir, script, 450, extra);
    ASSERT_EQ(first.exit_status, 0) << first.errors;
    EXPECT_EQ(first.state, second.state);
    EXPECT_EQ(first_frame, read_text(dir.file("a.bmp")));
    EXPECT_EQ(json_value(first.state, "game_state"), "Playing");
    // One hash a frame; the same run hashes alike, and the picture changes as the hero walks.
    EXPECT_EQ(first_hashes, read_text(dir.file("a.hashes")));
    EXPECT_EQ(std::count(first_hashes.begin(), first_hashes.end(), '\n'), 450);
    EXPECT_NE(first_hashes.substr(17 * 300, 16), first_hashes.substr(17 * 449, 16));

    // The runners' outputs: a pipe, socket or folder named for one is refused before the run, so
    // nothing waits forever on a pipe nobody reads.
    const std::string pipe = dir.file("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    // Held open for reading, so that a runner that did open the pipe would write into it and
    // end, failing this test rather than hanging it.
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    std::filesystem::create_directories(dir.file("folder"));
    const std::pair<std::string, std::string> cases[] = {  // the option, what is shown
        {"--state '" + pipe + "'", "--state " + pipe + ": is a pipe, not a file"},
        {"--hashes '" + pipe + "'", "--hashes " + pipe + ": is a pipe, not a file"},
        {"--shot 2:'" + pipe + "'", "--shot 2:" + pipe + ": is a pipe, not a file"},
        {"--hashes '" + dir.file("folder") + "'", "--hashes " + dir.file("folder") + ": is a directory, not a file"},
    };
    for (const auto& [option, shown] : cases) {
        HeadlessRun run = run_headless(dir, "3 -\n", 3, option);
        EXPECT_EQ(run.exit_status, 2) << option;
        EXPECT_NE(run.errors.find(shown), std::string::npos) << run.errors;
    }
    // The window's recording too, before any window opens.
    const ProgramRun window = run_program("SDL_VIDEODRIVER=dummy " + quoted(QUILLMOOR_EXE) + " --window --mute --record " + quoted(pipe));
    EXPECT_EQ(window.exit_status, 2);
    EXPECT_NE(window.errors.find("--record " + pipe + ": is a pipe"), std::string::npos) << window.errors;
    char byte;
    EXPECT_LE(::read(reader, &byte, 1), 0) << "nothing was written into the pipe";
    ::close(reader);

    // A device is written as usual.
    HeadlessRun to_null = run_headless(dir, "3 -\n", 3, "--hashes /dev/null");
    EXPECT_EQ(to_null.exit_status, 0) << to_null.errors;
}

namespace {

// The command line `quillmoor ARGS...` parsed into `o`; false, with `error` set, when refused.
bool parse(std::vector<const char*> args, Options& o, std::string& error) {
    args.insert(args.begin(), "quillmoor");
    return parse_options(static_cast<int>(args.size()), const_cast<char**>(args.data()), o, error);
}

// Title, progress map, a walk, a few sword swings, back to the title, down past NEW GAME to Quit.
// No two neighbouring lines hold the same keys, so the recording's lines are exactly these.
const char* const SESSION =
    "20 -\n1 enter\n5 -\n1 space\n30 -\n25 right\n3 right+a\n8 -\n20 down\n2 a\n12 up\n1 escape\n5 -\n1 down\n20 -\n1 down\n5 -\n1 enter\n";

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

}  // namespace

TEST(Options, WindowAndHeadlessOptionsAreCheckedTogetherAndChooseThePlayMode) {
    Options o;
    std::string error;
    ASSERT_TRUE(parse({"--scale", "3", "--input", "k.txt", "--mute"}, o, error)) << error;
    EXPECT_TRUE(o.windowed) << "a scale asks for a window";
    EXPECT_EQ(o.scale, 3);
    EXPECT_EQ(o.input_path, "k.txt");

    for (std::vector<const char*> bad : {std::vector<const char*>{"--state", "s.json"}, {"--headless"}, {"--scale", "9"}, {"--scale"},
                                         {"--headless", "--frames", "-1"}, {"--headless", "--frames", "5", "--shot", "0:x.bmp"},
                                         {"--headless", "--frames", "5", "--shot", "3:"}, {"--fast"}, {"--classic", "--enhanced"}}) {
        Options b;
        std::string e;
        EXPECT_FALSE(parse(bad, b, e)) << bad[0];
        EXPECT_FALSE(e.empty());
    }
    // An empty name is an error naming its option.
    for (const char* option : {"--input", "--state", "--data"}) {
        Options b;
        EXPECT_FALSE(parse({"--headless", "--frames", "5", option, ""}, b, error)) << option;
        EXPECT_NE(error.find(option), std::string::npos) << error;
    }
    Options h;
    ASSERT_TRUE(parse({"--headless", "--frames", "5", "--shot", "2:a.bmp", "--shot", "5:b.bmp"}, h, error)) << error;
    ASSERT_EQ(h.shots.size(), 2u);
    EXPECT_EQ(h.shots[1].frame, 5);
    EXPECT_EQ(h.shots[1].path, "b.bmp");

    // The play mode is enhanced in the window and classic headless, unless asked.
    auto mode = [](std::vector<const char*> args) {
        Options o;
        std::string error;
        EXPECT_TRUE(parse(args, o, error)) << error;
        return chosen_play_mode(o);
    };
    EXPECT_EQ(mode({}), PlayMode::Enhanced);
    EXPECT_EQ(mode({"--classic"}), PlayMode::Classic);
    EXPECT_EQ(mode({"--headless", "--frames", "5"}), PlayMode::Classic);
    EXPECT_EQ(mode({"--headless", "--frames", "5", "--enhanced"}), PlayMode::Enhanced);
    TempDir dir;
    EXPECT_EQ(json_value(run_headless(dir, "1 -\n", 2).state, "play_mode"), "classic");
    EXPECT_EQ(json_value(run_headless(dir, "1 -\n", 2, "--enhanced").state, "play_mode"), "enhanced");
}

TEST(FrameClock, EveryFrameLastsThirtyMillisecondsAcrossTheWrap) {
    platform::Config config;
    config.backend = platform::Backend::Headless;
    ASSERT_TRUE(platform::init(config));
    for (uint32_t start : {0u, 1000u, 0xFFFFFFF0u, 0xFFFFFFFFu}) {
        platform::set_virtual_clock(start);
        start_clock();
        const uint32_t end = wait_clock(30);
        EXPECT_GE(static_cast<uint32_t>(end - start), 30u) << start;
        EXPECT_LE(static_cast<uint32_t>(end - start), 31u) << start << ": the wait ends as soon as the time is up";
    }
    platform::shutdown();
}

TEST(JsonWriter, TextOfAnyLengthAndAnyByteStaysValid) {
    std::string text(600, 'x');
    text += "\"\\\n\x92\xE9";
    JsonWriter w;
    w.begin_object();
    w.key("text");
    w.string(text.c_str());
    w.key("nan");
    w.fixed2(std::nan(""));
    w.key("list");
    w.begin_array();
    w.integer(1);
    w.boolean(false);
    w.end_array();
    w.end_object();
    EXPECT_EQ(w.text(), "{\"text\": \"" + std::string(600, 'x') + "\\\"\\\\\\u000a\xE2\x80\x99\xC3\xA9\", \"nan\": null, \"list\": [1, false]\n}\n");
}

TEST(Recording, AWindowSessionReplaysExactlyOtherDataWarnsAndACutLastLineNoKeysOrAnOutsizedCountAreTold) {
    TempDir dir;
    const std::string recorded = dir.file("recorded.txt");
    const ProgramRun window = run_window(dir, SESSION, recorded);
    ASSERT_EQ(window.exit_status, 0) << window.errors;
    const std::string recording = read_text(recorded);
    // The comment lines of its head, then the keys.
    EXPECT_EQ(recording.substr(recording.find('\n', recording.rfind('#')) + 1), SESSION)
        << "one line per run of equal keys, every frame up to Quit";
    // The window plays enhanced unless asked.
    for (const char* head : {"# version ", "# mode enhanced\n", "# data "}) EXPECT_NE(recording.find(head), std::string::npos) << head;

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

    // Recorded on other data: one warning, and the keys play anyway.
    const std::string header = "# version x\n# mode classic\n# data 0000000000000000\n";
    replay = run_headless(dir, header + SESSION, 100000);
    source = run_headless(dir, SESSION, 100000);
    EXPECT_EQ(replay.state, source.state);
    std::stringstream errors(replay.errors);
    std::string first, second;
    std::getline(errors, first);
    EXPECT_NE(first.find("recorded on other data"), std::string::npos) << replay.errors;
    EXPECT_FALSE(std::getline(errors, second)) << "one warning only: " << replay.errors;

    // A cut last line is left out with one warning, a script of no key line is warned of, and a
    // count over the limit is named.
    const std::string recorder_head = std::string(RECORDING_FIRST_LINE) + "\n# mode classic\n";
    const std::string whole = "20 -\n1 enter\n5 -\n1 space\n";
    // The cut leaves "12" of "120 right": played, it would walk for 12 frames.
    HeadlessRun cut = run_headless(dir, recorder_head + whole + "12", 60);
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

// A player who turns on extra hearts on the options screen (Tab on the title, six rows down,
// one to the right), plays a moment, and quits from the title. A headless replay, which keeps no
// settings without --profile, still opens the options screen and plays on in the recording's mode.
TEST(Recording, AnAssistTurnedOnOnTheOptionsScreenReplaysWithOrWithoutAProfile) {
    TempDir dir;
    std::string session = "40 -\n1 tab\n10 -\n";
    for (int row = 0; row < 6; ++row) session += "1 down\n5 -\n";
    session += "1 right\n5 -\n1 escape\n30 -\n1 enter\n5 -\n1 space\n30 -\n1 escape\n5 -\n1 down\n20 -\n1 down\n5 -\n1 enter\n";
    const std::string recorded = dir.file("recorded.txt");
    const ProgramRun window = run_window(dir, session, recorded);
    ASSERT_EQ(window.exit_status, 0) << window.errors;
    EXPECT_NE(read_text(dir.file("window_profile/settings.ini")).find("\nhearts = extra\n"), std::string::npos);
    const std::string recording = read_text(recorded);
    const HeadlessRun alone = run_headless(dir, recording, 100000);
    const HeadlessRun kept = run_headless(dir, recording, 100000, "--profile " + quoted(dir.file("replay_profile")));
    ASSERT_EQ(alone.exit_status, 0) << alone.errors;
    InputScript keys;
    std::string error;
    ASSERT_TRUE(parse_input_script(session, keys, error)) << error;
    EXPECT_EQ(json_int(alone.state, "frame"), frames_of(keys)) << "Quit is chosen on the last frame, as in the window";
    EXPECT_EQ(json_value(alone.state, "play_mode"), "enhanced");
    EXPECT_NE(alone.state.find("\"hearts\": \"extra\""), std::string::npos) << alone.state;
    EXPECT_EQ(alone.state, kept.state);
}

// A recording cut short: a window killed mid-play leaves every complete line up to its last
// second, which replays as the keys played.
TEST(RecordingCrash, AWindowKilledWhileAKeyIsHeldReplaysEveryLineItWrote) {
    TempDir dir;
    write_text(dir.file("session.txt"), HELD_SESSION);
    const std::string recording = dir.file("recorded.txt");
    const pid_t game = ::fork();
    if (game == 0) {
        ::setenv("SDL_VIDEODRIVER", "dummy", 1);
        std::freopen(dir.file("window_errors.txt").c_str(), "w", stderr);
        ::execl(QUILLMOOR_EXE, QUILLMOOR_EXE, "--window", "--mute", "--data", QUILLMOOR_TEST_DATA_DIR, "--profile",
                dir.file("profile").c_str(), "--input", dir.file("session.txt").c_str(), "--record", recording.c_str(),
                static_cast<char*>(nullptr));
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

