// The runners' outputs: a pipe, socket or folder named for one is refused before the run, so
// nothing waits forever on a pipe nobody reads; and a run of no frames is a run.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "run_game.h"

namespace fs = std::filesystem;

TEST(OutputPaths, APipeOrAFolderNamedForAnOutputIsRefusedAtOnce) {
    TempDir dir;
    const std::string pipe = dir.file("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    // Held open for reading, so that a runner that did open the pipe would write into it and
    // end, failing this test rather than hanging it.
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    fs::create_directories(dir.file("folder"));
    const struct {
        std::string option, shown;
    } cases[] = {
        {"--state '" + pipe + "'", "--state " + pipe + ": is a pipe, not a file"},
        {"--hashes '" + pipe + "'", "--hashes " + pipe + ": is a pipe, not a file"},
        {"--shot 2:'" + pipe + "'", "--shot 2:" + pipe + ": is a pipe, not a file"},
        {"--hashes '" + dir.file("folder") + "'", "--hashes " + dir.file("folder") + ": is a directory, not a file"},
    };
    for (const auto& c : cases) {
        HeadlessRun run = run_headless(dir, "3 -\n", 3, c.option);
        EXPECT_EQ(run.exit_status, 2) << c.option;
        EXPECT_NE(run.errors.find(c.shown), std::string::npos) << run.errors;
    }
    // The window's recording too, before any window opens.
    const std::string command = std::string("SDL_VIDEODRIVER=dummy '") + QUILLMOOR_EXE + "' --window --mute --record '" + pipe +
                                "' 2> '" + dir.file("window_errors.txt") + "'";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2);
    EXPECT_NE(read_text(dir.file("window_errors.txt")).find("--record " + pipe + ": is a pipe"), std::string::npos);
    char byte;
    EXPECT_LE(::read(reader, &byte, 1), 0) << "nothing was written into the pipe";
    ::close(reader);

    // A device is written as usual.
    HeadlessRun to_null = run_headless(dir, "3 -\n", 3, "--hashes /dev/null");
    EXPECT_EQ(to_null.exit_status, 0) << to_null.errors;
}

TEST(OutputPaths, ARunOfNoFramesReportsTheStateBeforeTheFirst) {
    TempDir dir;
    HeadlessRun run = run_headless(dir, "3 -\n", 0);
    EXPECT_EQ(run.exit_status, 0) << run.errors;
    EXPECT_EQ(json_int(run.state, "frame"), 0) << run.state;
}
