// settings.ini and the progress file: reading, writing, damage, safe writes and their documentation.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>

#include "platform/input_names.h"
#include "test_files.h"
#include "userfiles/save_game.h"
#include "userfiles/settings.h"
#include "userfiles/user_files.h"

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
TEST(UserFiles, TheProfileFolderHoldsEverythingElseTheXdgHomesAndARelativeHomeIsIgnored) {
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
}

TEST(SaveFile, RoundTripAndEveryKindOfDamageIsRefused) {
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
