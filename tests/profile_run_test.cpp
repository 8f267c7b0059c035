// The player's files through the headless runner with --profile: saved progress, CONTINUE,
// damaged saves, the options screen writing settings.ini, and runs that touch no files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "test_files.h"

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

TEST(OptionsScreen, ChangesAreWrittenButCommandLineOverridesAreNot) {
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
}

TEST(OptionsScreen, EnterOnBackReturnsAndTheTitleWaitsForItsRelease) {
    TempDir dir;
    // Up from the first row wraps to "Back to the title"; Enter held there must not also start a game.
    HeadlessRun run = run_headless(dir, "20 -\n1 tab\n3 -\n1 up\n3 -\n10 enter\n", 38, profile_option(dir));
    EXPECT_EQ(json_value(run.state, "game_state"), "Title");
    EXPECT_EQ(json_int(run.state, "current_level"), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.file("profile/settings.ini"))) << "nothing changed, nothing written";
}
