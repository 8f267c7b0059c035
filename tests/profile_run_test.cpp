// The player's files through the headless runner with --profile, and writers racing over them.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/bindings.h"
#include "platform/input_names.h"
#include "test_files.h"
#include "userfiles/profile.h"
#include "userfiles/user_files.h"

namespace {

const char* const TO_FIRST_MAP = "20 -\n1 enter\n5 -\n";

std::string profile_option(const TempDir& dir) { return "--profile '" + dir.file("profile") + "'"; }

}  // namespace

TEST(SavedProgress, ALevelStartIsSavedAndContinuedInTheNextRun) {
    TempDir dir;
    HeadlessRun run = run_headless(dir, TO_FIRST_MAP, 26, profile_option(dir));
    ASSERT_EQ(run.exit_status, 0) << run.errors;
    EXPECT_NE(read_text(dir.file("profile/progress.ini")).find("level = 1\nlives = 10\nbow = no"), std::string::npos);

    // As if the hero had reached level 3 with two lives and the bow.
    write_text(dir.file("profile/progress.ini"), "level = 3\nlives = 2\nbow = yes\n");
    run = run_headless(dir, TO_FIRST_MAP, 26, profile_option(dir));
    EXPECT_EQ(json_value(run.state, "game_state"), "LevelMap");
    EXPECT_EQ(json_int(run.state, "current_level"), 3);
    EXPECT_EQ(json_int(run.state, "loaded_level"), 3);
    EXPECT_NE(run.state.find("\"lives\": 2"), std::string::npos) << run.state;
    EXPECT_NE(run.state.find("\"has_bow\": true"), std::string::npos);
    EXPECT_TRUE(run.errors.empty()) << run.errors;

    // START below CONTINUE still begins a new game, which becomes the saved one.
    run = run_headless(dir, "20 -\n1 down\n5 -\n1 enter\n5 -\n", 32, profile_option(dir));
    EXPECT_EQ(json_int(run.state, "current_level"), 1);
    EXPECT_NE(read_text(dir.file("profile/progress.ini")).find("level = 1"), std::string::npos);
}

TEST(Profile, ADamagedSaveOrAHugeSettingsFileIsToldInOneLineKeptAsBadAndIgnored) {
    TempDir dir;
    std::filesystem::create_directories(dir.file("profile"));
    write_text(dir.file("profile/progress.ini"), "level = 2\nlives = \x01\x02\n");
    // 100 MB of settings: refused by its size before any of it is read.
    const uintmax_t huge = uintmax_t{100} << 20;
    write_text(dir.file("profile/settings.ini"), "scale = 3\n");
    std::filesystem::resize_file(dir.file("profile/settings.ini"), huge);
    HeadlessRun run = run_headless(dir, TO_FIRST_MAP, 26, profile_option(dir));
    ASSERT_EQ(run.exit_status, 0);
    EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 2) << run.errors;
    EXPECT_NE(run.errors.find("progress.ini: line 2"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("settings.ini: file is too large (104857600 bytes"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("using the default settings"), std::string::npos) << run.errors;
    EXPECT_EQ(read_text(dir.file("profile/progress.ini.bad")), "level = 2\nlives = \x01\x02\n");
    EXPECT_EQ(std::filesystem::file_size(dir.file("profile/settings.ini.bad")), huge);
    EXPECT_EQ(json_int(run.state, "current_level"), 1) << "the title offered no CONTINUE: Enter began a new game";
    EXPECT_NE(read_text(dir.file("profile/progress.ini")).find("level = 1"), std::string::npos);
}

TEST(Profile, HeadlessRunsWithoutItReadAndWriteNoUserFiles) {
    TempDir dir;
    const std::string home = dir.file("home");
    std::filesystem::create_directories(home);
    const char* old_home = std::getenv("HOME");
    const std::string saved_home = old_home ? old_home : "";
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DATA_HOME");
    HeadlessRun run = run_headless(dir, "20 -\n1 enter\n5 -\n1 tab\n5 -\n", 32);
    if (old_home) setenv("HOME", saved_home.c_str(), 1);
    EXPECT_EQ(json_value(run.state, "game_state"), "LevelMap");
    EXPECT_TRUE(std::filesystem::is_empty(home)) << "nothing under HOME";
}

TEST(OptionsScreen, ChangesAreWrittenButCommandLineOverridesAreNotAndEnterOnBackReturnsToTheTitleAlone) {
    TempDir dir;
    std::filesystem::create_directories(dir.file("profile"));
    write_text(dir.file("profile/settings.ini"), "# mine\ndisplay = fullscreen\nbogus = 1\nmusic_volume = 6   # quiet\n");
    // Tab opens the options; Left turns the music down one step; Escape goes back.
    HeadlessRun run = run_headless(dir, "20 -\n1 tab\n3 -\n1 left\n3 -\n1 escape\n3 -\n", 32, profile_option(dir) + " --window");
    ASSERT_EQ(run.exit_status, 0);
    EXPECT_EQ(json_value(run.state, "game_state"), "Title");
    EXPECT_EQ(run.errors, "quillmoor: " + dir.file("profile/settings.ini") + ": line 3: unknown setting 'bogus'; line ignored\n");
    // The player's comments and the line the game does not know outlive the rewrite.
    const std::string settings = read_text(dir.file("profile/settings.ini"));
    EXPECT_NE(settings.find("# mine\ndisplay = fullscreen\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("bogus = 1\nmusic_volume = 5   # quiet\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("display = fullscreen\n"), std::string::npos) << "--window was for this run only";
    EXPECT_NE(settings.find("key_sword = A\n"), std::string::npos);

    // Up from the first row wraps to "Back to the title"; Enter held there must not also start a game.
    TempDir fresh;
    run = run_headless(fresh, "20 -\n1 tab\n3 -\n1 up\n3 -\n10 enter\n", 38, profile_option(fresh));
    EXPECT_EQ(json_value(run.state, "game_state"), "Title");
    EXPECT_EQ(json_int(run.state, "current_level"), 0);
    EXPECT_FALSE(std::filesystem::exists(fresh.file("profile/settings.ini"))) << "nothing changed, nothing written";
}

// The player's files under hostile conditions: two games writing one profile at once, writers
// killed at any moment, and links planted in the profile folder.
namespace fs = std::filesystem;

namespace {

// Files large enough (tens of kilobytes) that writing one takes a while, and of different
// lengths, so that a reader catching one half made shows it.
std::string contents(char mark) {
    std::string text;
    const int lines = mark == 'a' ? 2000 : 1500;
    for (int line = 0; line < lines; ++line) text += std::string("music_volume = ") + mark + " # " + std::to_string(line) + "\n";
    return text;
}

// A child process that rewrites `path` with `text` until killed, or `rounds` times; its exit
// status counts the writes that failed.
pid_t start_writer(const std::string& path, const std::string& text, int rounds) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    int failures = 0;
    for (int i = 0; rounds == 0 || i < rounds; ++i) {
        std::string error;
        if (!write_file_atomically(path, text, error)) ++failures;
    }
    ::_exit(failures > 100 ? 100 : failures);
}

struct Writer {
    pid_t pid = -1;
    bool done = false;
    int exit_status = -1;
};

// Whether the writer is still at work; once it has ended, its exit status is kept.
bool running(Writer& w, int wait_flags = WNOHANG) {
    if (w.done) return false;
    int status = 0;
    if (::waitpid(w.pid, &status, wait_flags) != w.pid) return true;
    w.done = true;
    w.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return false;
}

}  // namespace

// Two writers at once never show a reader less than a whole file, nor do writers killed at any moment.
TEST(ProfileWriters, TwoWritersAtOnceOrKilledAtAnyMomentLeaveAWholeFile) {
    TempDir dir;
    const std::string path = dir.file("settings.ini");
    const std::string a = contents('a'), b = contents('b');
    std::string error;
    ASSERT_TRUE(write_file_atomically(path, a, error)) << error;
    Writer first{start_writer(path, a, 150)}, second{start_writer(path, b, 150)};
    long reads = 0, partial = 0;
    std::string seen;
    while (running(first) | running(second)) {
        const std::string text = read_text(path);
        ++reads;
        if (text != a && text != b) ++partial, seen = text;
    }
    EXPECT_EQ(partial, 0) << "of " << reads << " reads; one held " << seen.size() << " bytes";
    EXPECT_EQ(first.exit_status, 0) << "writes that failed";
    EXPECT_EQ(second.exit_status, 0) << "writes that failed";
    const std::string last = read_text(path);
    EXPECT_TRUE(last == a || last == b);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1) << "no temporary file left behind";

    for (int round = 0; round < 20; ++round) {
        Writer first{start_writer(path, a, 0)}, second{start_writer(path, b, 0)};
        // Each round reads a different number of times before the kill, so the writers stop
        // at a different point of their writes.
        long bad_read = -1;
        for (int i = 0; i < 20 + 7 * round && bad_read < 0; ++i) {
            const std::string text = read_text(path);
            if (text != a && text != b) bad_read = static_cast<long>(text.size());
        }
        ::kill(first.pid, SIGKILL);
        ::kill(second.pid, SIGKILL);
        running(first, 0);
        running(second, 0);
        ASSERT_EQ(bad_read, -1) << "round " << round << ": a read saw only this many bytes";
        const std::string text = read_text(path);
        ASSERT_TRUE(text == a || text == b) << "round " << round << ": left " << text.size() << " bytes";
    }
}

TEST(ProfileWriters, AGameWithLinksPlantedInItsProfileWritesItsOwnFilesWithUsualPermissions) {
    TempDir dir;
    const std::string victim = dir.file("victim");
    write_text(victim, "precious\n");
    fs::create_directories(dir.file("profile"));
    for (const char* name : {"settings.ini.tmp", "progress.ini.tmp"}) fs::create_symlink(victim, dir.file("profile") + "/" + name);
    // The options: music down a step, back; then Enter starts a game, which saves at the map.
    const mode_t old_mask = ::umask(027);
    HeadlessRun run = run_headless(dir, "20 -\n1 tab\n3 -\n1 left\n3 -\n1 escape\n5 -\n1 enter\n5 -\n", 45,
                                   "--profile '" + dir.file("profile") + "'");
    ::umask(old_mask);
    ASSERT_EQ(run.exit_status, 0) << run.errors;
    EXPECT_EQ(json_value(run.state, "game_state"), "LevelMap");
    EXPECT_EQ(read_text(victim), "precious\n");
    EXPECT_NE(read_text(dir.file("profile/settings.ini")).find("music_volume = "), std::string::npos);
    EXPECT_NE(read_text(dir.file("profile/progress.ini")).find("level = 1"), std::string::npos);
    EXPECT_FALSE(fs::is_symlink(dir.file("profile/settings.ini")));
    EXPECT_FALSE(fs::is_symlink(dir.file("profile/progress.ini")));
    EXPECT_EQ(fs::status(dir.file("profile/settings.ini")).permissions(), fs::perms(0640)) << "0644 less the umask";
}

TEST(ProfileWriters, AChangeGoesOverWhatAnotherGameWroteSinceWithoutUndoingIt) {
    TempDir dir;
    const std::string path = dir.file("settings.ini");
    write_text(path, "music_volume = 7\nkey_bow = X\n");
    ProfileRequest request;
    request.headless = true;
    request.profile_dir = dir.path.string();
    open_profile(request);
    apply_profile_settings();
    // The other game turns the music down, makes its window bigger and moves the sword...
    write_text(path, "music_volume = 3\nscale = 5\nkey_bow = X\nkey_sword = S\n");
    // ...then this one, still holding the file as it read it, turns the effects down and moves the bow.
    Settings changed = profile.settings;
    changed.effects_volume = 2;
    changed.bindings.key[platform::ACTION_BOW] = platform::SCANCODE_Z;
    change_settings(changed);
    const std::string text = read_text(path);
    reset_profile();
    for (const char* line : {"music_volume = 3\n", "scale = 5\n", "effects_volume = 2\n", "key_sword = S\n", "key_bow = Z\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
}
