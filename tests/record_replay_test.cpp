// Recording in the window and replaying headless: the same keys, frame for frame, give the same run.
#include <gtest/gtest.h>

#include <sstream>

#include "test_files.h"

namespace {

// Title, progress map, a walk, a few sword swings, back to the title, Quit. No two neighbouring
// lines hold the same keys, so the recording's lines are exactly these.
const char* const SESSION =
    "20 -\n1 enter\n5 -\n1 space\n30 -\n25 right\n3 right+a\n8 -\n20 down\n2 a\n12 up\n1 escape\n5 -\n1 down\n5 -\n1 enter\n";

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
    EXPECT_EQ(json_int(replay.state, "frame"), 140) << "Enter on Quit is the last frame";
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
