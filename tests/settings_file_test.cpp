// The player's files: settings.ini and progress, read, written, damaged, raced over, and documented.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/bindings.h"
#include "platform/input_names.h"
#include "test_files.h"
#include "userfiles/profile.h"
#include "userfiles/save_game.h"
#include "userfiles/settings.h"
#include "userfiles/user_files.h"

namespace fs = std::filesystem;

// A file as the game has always written it: it must read to the same settings and be
// rewritten byte for byte, or players' files would gain doubled comments.
const char* const FILE_AS_WRITTEN = R"(# Quillmoor settings. One 'name = value' a line; lines starting with # are comments.
# Options on the command line override this file for one run without changing it.

# window or fullscreen
display = window
# window scale, 1 to 8
scale = 5
# volumes, 0 (silent) to 10 (full)
music_volume = 0
effects_volume = 7
# classic (exactly as first made) or enhanced (with comforts)
play = classic
# assists for enhanced play, which classic play ignores: the game's speed in percent,
# extra hearts or no damage, and a steady outline instead of blinking and white flashes
game_speed = 70
hearts = no_damage
reduced_flashing = on

# Keys, named by their place on a US keyboard (A..Z, 0..9, Up, Down, Left, Right, Space,
# Return, Escape, Tab, LeftShift, Keypad0..Keypad9, ...), or none.
key_up = Up
key_down = Down
key_left = Left
key_right = Right
key_sword = Space
key_bow = Z
key_next = A
key_confirm = Return
key_back = Escape
key_options = none

# Gamepad buttons: South, East, West, North, Back, Start, Guide, LeftShoulder, RightShoulder,
# LeftStick, RightStick, DpadUp, DpadDown, DpadLeft, DpadRight, or none. The left stick always walks.
pad_up = DpadUp
pad_down = DpadDown
pad_left = DpadLeft
pad_right = DpadRight
pad_sword = South
pad_bow = RightShoulder
pad_next = East
pad_confirm = Start
pad_back = Back
pad_options = North
)";

TEST(SettingsFile, AFileTheGameWroteReadsBackAndIsRewrittenTheSameAndARewriteKeepsThePlayersOwnLines) {
    Settings s;
    std::vector<std::string> warnings;
    EXPECT_EQ(parse_settings(FILE_AS_WRITTEN, s, warnings), 0) << warnings.front();
    EXPECT_FALSE(s.fullscreen);
    EXPECT_EQ(s.scale, 5);
    EXPECT_EQ(s.music_volume, 0);
    EXPECT_EQ(s.effects_volume, 7);
    EXPECT_FALSE(s.enhanced);
    EXPECT_EQ(s.game_speed, 2);
    EXPECT_EQ(s.hearts, HEARTS_NO_DAMAGE);
    EXPECT_TRUE(s.reduced_flashing);
    EXPECT_EQ(s.bindings.key[platform::ACTION_SWORD], platform::SCANCODE_SPACE);
    EXPECT_EQ(s.bindings.key[platform::ACTION_NEXT], platform::SCANCODE_A);
    EXPECT_EQ(s.bindings.button[platform::ACTION_BOW], platform::PAD_RIGHT_SHOULDER);
    EXPECT_EQ(s.bindings.key[platform::ACTION_OPTIONS], platform::UNBOUND);
    EXPECT_EQ(format_settings(s), FILE_AS_WRITTEN);
    EXPECT_EQ(format_settings(s, FILE_AS_WRITTEN), FILE_AS_WRITTEN);

    // A rewrite keeps the player's own lines.
    const std::string old_file =
        "# my settings, keep out\n"
        "# window scale, 1 to 8\n"  // the game's own comment: written afresh, not twice
        "scale = 3   # big\n"
        "mystery = 4\n"
        "music_volume = 11 # too loud\n";
    s = Settings{};
    s.scale = 4;
    s.music_volume = 2;
    const std::string written = format_settings(s, old_file);
    EXPECT_NE(written.find("# window scale, 1 to 8\n# my settings, keep out\nscale = 4   # big\n"), std::string::npos) << written;
    EXPECT_NE(written.find("mystery = 4\nmusic_volume = 2 # too loud\n"), std::string::npos) << written;
    EXPECT_EQ(written.find("# window scale, 1 to 8"), written.rfind("# window scale, 1 to 8"));
    EXPECT_EQ(format_settings(s, written), written) << "a second rewrite changes nothing";
}

TEST(SettingsFile, BadLinesAreSkippedAndOnlyTheFirstFewToldAndAnAssistTakesOnlyItsOwnWords) {
    const char* text =
        "\xEF\xBB\xBFmusic_volume = 4  # a byte-order mark, then a comment after a setting\n"
        "# comment\n"
        "volume = 3\n"  // unknown name
        "effects_volume = 11\n"  // out of range
        "scale = two\n"  // not a number
        "just words\n"  // no '='
        "key_sword = NoSuchKey\n"
        "pad_bow = Trigger\n"  // bad, counted but not told one by one
        "   \n"
        "display = window\r\n"
        "scale = 3   # three\n";
    Settings s;
    std::vector<std::string> warnings;
    EXPECT_EQ(parse_settings(text, s, warnings), 6);
    ASSERT_EQ(warnings.size(), size_t{SETTINGS_WARNINGS_SHOWN});
    const char* lines[] = {"line 3:", "line 4:", "line 5:", "line 6:", "line 7:"};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(warnings[i].rfind(lines[i], 0), 0u) << warnings[i];
    EXPECT_EQ(s.music_volume, 4);
    EXPECT_EQ(s.effects_volume, 10) << "a bad value leaves the default";
    EXPECT_EQ(s.scale, 3);
    EXPECT_FALSE(s.fullscreen) << "Windows line ends are fine";
    EXPECT_EQ(s.bindings.key[platform::ACTION_SWORD], platform::SCANCODE_A);

    // An assist takes only its own words.
    s = Settings{};
    warnings.clear();
    EXPECT_EQ(parse_settings("hearts = lots\ngame_speed = 50\ngame_speed = 85\n", s, warnings), 2);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0], "line 1: hearts is 'normal', 'extra' or 'no_damage'; line ignored");
    EXPECT_EQ(s.hearts, HEARTS_NORMAL);
    EXPECT_EQ(s.game_speed, 1) << "85 %";
}

TEST(Remapping, ABoundKeyMovesTheActionAndASwappedKeyIsNeverBoundTwice) {
    platform::Bindings b = platform::default_bindings(platform::SCANCODE_A, platform::SCANCODE_Z);
    platform::bind_key(b, platform::ACTION_SWORD, platform::scancode_from_file_name("S"));
    EXPECT_EQ(b.key[platform::ACTION_SWORD], platform::scancode_from_file_name("s"));
    platform::bind_key(b, platform::ACTION_SWORD, platform::SCANCODE_Z);  // the bow's key
    EXPECT_EQ(b.key[platform::ACTION_SWORD], platform::SCANCODE_Z);
    EXPECT_EQ(b.key[platform::ACTION_BOW], platform::scancode_from_file_name("S")) << "the bow took the sword's old key";
    platform::bind_button(b, platform::ACTION_NEXT, platform::PAD_SOUTH);
    EXPECT_EQ(b.button[platform::ACTION_SWORD], platform::PAD_EAST);
    for (int a = 0; a < platform::ACTION_COUNT; ++a)
        for (int o = a + 1; o < platform::ACTION_COUNT; ++o) {
            EXPECT_NE(b.key[a], b.key[o]) << a << " " << o;
            EXPECT_NE(b.button[a], b.button[o]) << a << " " << o;
        }
    // Unbinding never hands "none" on to another action.
    platform::bind_key(b, platform::ACTION_UP, platform::UNBOUND);
    platform::bind_key(b, platform::ACTION_DOWN, platform::UNBOUND);
    EXPECT_EQ(b.key[platform::ACTION_UP], platform::UNBOUND);
    EXPECT_EQ(b.key[platform::ACTION_LEFT], platform::SCANCODE_LEFT);
}

// An atomic write makes missing folders and replaces the whole file; a path under a file is a
// failure, not a crash.
TEST(UserFiles, AnAtomicWriteMakesMissingFoldersReplacesTheWholeFileAndFailsUnderAFile) {
    TempDir dir;
    const std::string path = dir.file("deep/er/settings.ini");
    std::string error;
    ASSERT_TRUE(write_file_atomically(path, "first version, long\n", error)) << error;
    ASSERT_TRUE(write_file_atomically(path, "second\n", error)) << error;
    EXPECT_EQ(read_text(path), "second\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

    write_text(dir.file("plain"), "x");
    std::string text;
    EXPECT_FALSE(write_file_atomically(dir.file("plain/settings.ini"), "new\n", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(read_user_file(dir.file("absent.ini"), DataKind::Settings, text, error), FileRead::Missing);
    EXPECT_EQ(read_user_file(dir.path.string(), DataKind::Settings, text, error), FileRead::Failed) << "a folder is not a settings file";
}

TEST(UserFiles, AFolderThatCannotBeWrittenKeepsTheOldFileAndSaysWhy) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
    TempDir dir;
    const std::string path = dir.file("settings.ini");
    write_text(path, "old\n");
    ::chmod(dir.path.c_str(), 0555);
    std::string error;
    EXPECT_FALSE(write_file_atomically(path, "new\n", error));
    EXPECT_FALSE(error.empty());
    ::chmod(dir.path.c_str(), 0755);
    EXPECT_EQ(read_text(path), "old\n");
}

// The profile folder holds everything; else the XDG homes, a relative one ignored, and a
// relative HOME is ignored too: it would name a folder inside the data folder.
TEST(UserFiles, TheProfileFolderOrTheXdgHomesHoldTheFilesAndTheProgressFileRefusesEveryKindOfDamage) {
    EXPECT_EQ(user_paths("/p").settings_file, "/p/settings.ini");
    EXPECT_EQ(user_paths("/p").save_file, "/p/progress.ini");
    const char* old_home = std::getenv("HOME");
    const std::string saved_home = old_home ? old_home : "";
    setenv("XDG_CONFIG_HOME", "/c", 1);
    setenv("XDG_DATA_HOME", "relative/is/ignored", 1);
    setenv("HOME", "/h", 1);
    const UserPaths p = user_paths("");
    EXPECT_EQ(p.settings_file, "/c/quillmoor/settings.ini");
    EXPECT_EQ(p.save_file, "/h/.local/share/quillmoor/progress.ini");
    EXPECT_EQ(p.screenshot_dir, "/h/.local/share/quillmoor/screenshots");
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DATA_HOME");
    setenv("HOME", "relative/home", 1);
    const UserPaths relative = user_paths("");
    if (old_home) setenv("HOME", saved_home.c_str(), 1);
    EXPECT_EQ(relative.settings_file, "");
    EXPECT_EQ(relative.save_file, "");

    // The progress file reads back, and every kind of damage is refused.
    const SaveGame save{3, 7, true};
    SaveGame back;
    std::string error;
    for (const std::string& text : {format_save(save), std::string("\xEF\xBB\xBFlevel = 3 # the Great Tree\nlives = 7\nbow = yes\n")}) {
        ASSERT_TRUE(parse_save(text, back, error)) << error;
        EXPECT_EQ(back.level, 3);
        EXPECT_EQ(back.lives, 7);
        EXPECT_TRUE(back.has_bow);
    }

    const std::string good = format_save(save);
    for (const std::string& bad : {std::string(""), good.substr(0, good.size() / 2), std::string("level = 4\nlives = 2\nbow = no\n"),
                                   std::string("level = 1\nlives = 0\nbow = no\n"), std::string("level = 1\nlives = 2\nbow = maybe\n"),
                                   good + "gold = 9\n", std::string("\x89PNG\r\n\x1a\n", 8)}) {
        SaveGame untouched{2, 2, false};
        error.clear();
        EXPECT_FALSE(parse_save(bad, untouched, error)) << bad;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(untouched.level, 2) << "a refused file changes nothing";
    }
}

namespace {

struct DocRow {
    std::string name, values, defaults, about;
};

// Each row of the table as the documents word it; `quote` marks names and words (`x` in Markdown).
std::vector<DocRow> documented_rows(const std::string& quote) {
    const Settings defaults;
    std::vector<DocRow> rows;
    for (const SettingInfo& s : SETTING_TABLE) {
        DocRow row{s.name, "", "", s.about};
        const auto word = [&](const std::string& w) { return quote + w + quote; };
        switch (s.shape) {
            case SETTING_CHOICE: row.values = word(s.words[0]) + " or " + word(s.words[1]); break;
            case SETTING_WORD:
                for (int i = s.min; i <= s.max; ++i) row.values += (i == s.min ? "" : i == s.max ? " or " : ", ") + word(s.words[i]);
                break;
            case SETTING_NUMBER: row.values = std::to_string(s.min) + " to " + std::to_string(s.max); break;
            case SETTING_KEY: row.values = "a key name or " + word("none"); break;
            case SETTING_BUTTON: row.values = "a button name or " + word("none"); break;
        }
        if (s.shape == SETTING_KEY || s.shape == SETTING_BUTTON) {
            row.name += "ACTION";
            row.about += ":";
            for (int a = 0; a < platform::ACTION_COUNT; ++a) {
                row.defaults += (a ? ", " : "") + word(setting_value_text(s, defaults, a));
                row.about += (a ? ", " : " ") + word(platform::action_file_name(a));
            }
        } else {
            row.defaults = s.shape == SETTING_NUMBER ? setting_value_text(s, defaults, 0) : word(setting_value_text(s, defaults, 0));
        }
        rows.push_back(row);
    }
    return rows;
}

// The lines of `text` from the first that starts with `first` up to the line before `end`.
std::string lines_from(const std::string& text, const std::string& first, const std::string& end) {
    const size_t from = text.find("\n" + first);
    if (from == std::string::npos) return "";
    const size_t to = text.find("\n" + end, from + 1);
    return text.substr(from + 1, to == std::string::npos ? std::string::npos : to - from);
}

const char* const TO_FIRST_MAP = "20 -\n1 enter\n5 -\n";

std::string profile_option(const TempDir& dir) { return "--profile '" + dir.file("profile") + "'"; }

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

TEST(SettingsDocs, TheReadmeAndTheManualPageListTheTable) {
    std::string markdown = "| Setting | Values | Default | What it sets |\n|---|---|---|---|\n";
    for (const DocRow& r : documented_rows("`"))
        markdown += "| `" + r.name + "` | " + r.values + " | " + r.defaults + " | " + r.about + " |\n";
    const std::string readme = read_text(QUILLMOOR_SOURCE_DIR "/README.md");
    EXPECT_EQ(lines_from(readme, "| Setting |", "\n"), markdown);

    std::string man;
    for (DocRow& r : documented_rows("")) {
        r.about[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(r.about[0])));
        man += ".TP\n.B " + r.name + "\n" + r.values + "; default " + r.defaults + ".\n" + r.about + ".\n";
    }
    const std::string page = read_text(QUILLMOOR_SOURCE_DIR "/dist/quillmoor.6.in");
    EXPECT_EQ(lines_from(lines_from(page, ".SH SETTINGS", ".SH"), ".TP", ".SH"), man);
}

TEST(SavedProgress, ALevelStartIsSavedAndContinuedADamagedSaveSetAsideAndARunWithoutAProfileTouchesNoFile) {
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

    // A damaged save, or a huge settings file, is told in one line, kept as bad and ignored:
    // 100 MB of settings are refused by their size before any of it is read.
    write_text(dir.file("profile/progress.ini"), "level = 2\nlives = \x01\x02\n");
    const uintmax_t huge = uintmax_t{100} << 20;
    write_text(dir.file("profile/settings.ini"), "scale = 3\n");
    std::filesystem::resize_file(dir.file("profile/settings.ini"), huge);
    run = run_headless(dir, TO_FIRST_MAP, 26, profile_option(dir));
    ASSERT_EQ(run.exit_status, 0);
    EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 2) << run.errors;
    for (const char* told : {"progress.ini: line 2", "settings.ini: file is too large (104857600 bytes", "using the default settings"})
        EXPECT_NE(run.errors.find(told), std::string::npos) << run.errors;
    EXPECT_EQ(read_text(dir.file("profile/progress.ini.bad")), "level = 2\nlives = \x01\x02\n");
    EXPECT_EQ(std::filesystem::file_size(dir.file("profile/settings.ini.bad")), huge);
    EXPECT_EQ(json_int(run.state, "current_level"), 1) << "the title offered no CONTINUE: Enter began a new game";
    EXPECT_NE(read_text(dir.file("profile/progress.ini")).find("level = 1"), std::string::npos);

    // Headless runs without a profile read and write no user files.
    const std::string home = dir.file("home");
    std::filesystem::create_directories(home);
    const char* old_home = std::getenv("HOME");
    const std::string saved_home = old_home ? old_home : "";
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DATA_HOME");
    run = run_headless(dir, "20 -\n1 enter\n5 -\n1 tab\n5 -\n", 32);
    if (old_home) setenv("HOME", saved_home.c_str(), 1);
    EXPECT_EQ(json_value(run.state, "game_state"), "LevelMap");
    EXPECT_TRUE(std::filesystem::is_empty(home)) << "nothing under HOME";
}

// The game writes its own files, never through links planted in the profile folder, with the
// mode of a new file less the umask.
TEST(OptionsScreen, ChangesAreWrittenPastPlantedLinksButCommandLineOverridesAreNotAndEnterOnBackReturnsToTheTitleAlone) {
    TempDir dir;
    const std::string victim = dir.file("victim");
    write_text(victim, "precious\n");
    fs::create_directories(dir.file("profile"));
    for (const char* name : {"settings.ini.tmp", "progress.ini.tmp"}) fs::create_symlink(victim, dir.file("profile") + "/" + name);
    write_text(dir.file("profile/settings.ini"), "# mine\ndisplay = fullscreen\nbogus = 1\nmusic_volume = 6   # quiet\n");
    // Tab opens the options; Left turns the music down one step; Escape goes back; then Enter
    // starts a game, which saves at the map.
    const mode_t old_mask = ::umask(027);
    HeadlessRun run = run_headless(dir, "20 -\n1 tab\n3 -\n1 left\n3 -\n1 escape\n5 -\n1 enter\n5 -\n", 45,
                                   profile_option(dir) + " --window");
    ::umask(old_mask);
    ASSERT_EQ(run.exit_status, 0) << run.errors;
    EXPECT_EQ(json_value(run.state, "game_state"), "LevelMap");
    EXPECT_EQ(run.errors, "quillmoor: " + dir.file("profile/settings.ini") + ": line 3: unknown setting 'bogus'; line ignored\n");
    // The player's comments and the line the game does not know outlive the rewrite.
    const std::string settings = read_text(dir.file("profile/settings.ini"));
    EXPECT_NE(settings.find("# mine\ndisplay = fullscreen\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("bogus = 1\nmusic_volume = 5   # quiet\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("display = fullscreen\n"), std::string::npos) << "--window was for this run only";
    EXPECT_NE(settings.find("key_sword = A\n"), std::string::npos);
    EXPECT_EQ(read_text(victim), "precious\n");
    EXPECT_NE(read_text(dir.file("profile/progress.ini")).find("level = 1"), std::string::npos);
    EXPECT_FALSE(fs::is_symlink(dir.file("profile/settings.ini")));
    EXPECT_FALSE(fs::is_symlink(dir.file("profile/progress.ini")));
    EXPECT_EQ(fs::status(dir.file("profile/settings.ini")).permissions(), fs::perms(0640)) << "0644 less the umask";

    // Up from the first row wraps to "Back to the title"; Enter held there must not also start a game.
    TempDir fresh;
    run = run_headless(fresh, "20 -\n1 tab\n3 -\n1 up\n3 -\n10 enter\n", 38, profile_option(fresh));
    EXPECT_EQ(json_value(run.state, "game_state"), "Title");
    EXPECT_EQ(json_int(run.state, "current_level"), 0);
    EXPECT_FALSE(std::filesystem::exists(fresh.file("profile/settings.ini"))) << "nothing changed, nothing written";
}

// The player's files under hostile conditions: two games writing one profile at once, and writers
// killed at any moment (links planted in the profile folder are met by the options screen's test).

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

// A change goes over what another game wrote since, without undoing it.
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
