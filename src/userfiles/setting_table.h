// The player's settings (display, volumes, play mode, assists and controls) and the one table of them:
// each setting's name, kind, range, comment in the file, description and row on the options
// screen. Reading, writing, the options screen and the documented lists in the README and the
// manual page all follow it; defaults are Settings' own initial values.
#pragma once
#include <algorithm>
#include <iterator>

#include "base/assists.h"
#include "platform/bindings.h"

struct Settings {
    bool fullscreen = true;
    int scale = 2;  // window scale, 1..8
    int music_volume = 10;  // 0..10
    int effects_volume = 10;  // 0..10
    bool enhanced = true;  // enhanced or classic play
    int game_speed = 0;  // enhanced play's assists: an index into GAME_SPEED_PERCENT,
    int hearts = HEARTS_NORMAL;  // a HeartsAssist,
    bool reduced_flashing = false;  // and an outline instead of flashing
    platform::Bindings bindings = platform::default_bindings(platform::SCANCODE_A, platform::SCANCODE_Z);
};

constexpr int VOLUME_MAX = 10;
constexpr int SCALE_MIN = 1, SCALE_MAX = 8;

enum SettingShape : int {
    SETTING_CHOICE,  // one of two words
    SETTING_WORD,  // one of up to three words; the number holds its index
    SETTING_NUMBER,  // a whole number within a range
    SETTING_KEY,  // key_ACTION: one line for each action of the controls
    SETTING_BUTTON,  // pad_ACTION: likewise, gamepad buttons
};

struct SettingInfo {
    const char* name;  // in the file; for keys and buttons the part before the action's name
    SettingShape shape;
    bool Settings::*flag = nullptr;  // a choice: false is words[0], true words[1]
    int Settings::*number = nullptr;  // a number, within [min, max], or a word's index
    int min = 0, max = 0;
    const char* words[3] = {};  // a choice's or a word's words in the file
    const char* comment = nullptr;  // the lines the file has above it, each ending in '\n'
    const char* about = "";  // what it sets, for the README and the manual page
    int screen_row = -1;  // its row on the options screen (the controls have rows of their own)
    const char* label = nullptr;  // the row's name
    const char* shown[3] = {};  // a choice's words on the screen; a number's prefix ("x"), or none for pips
    bool assist = false;  // enhanced play's assist: recordings note it, classic play ignores it
};

// In the order of the file. Keys and buttons come last, after the rows of the options screen.
inline constexpr SettingInfo SETTING_TABLE[] = {
    {.name = "display", .shape = SETTING_CHOICE, .flag = &Settings::fullscreen, .words = {"window", "fullscreen"},
     .comment = "# window or fullscreen\n", .about = "a window, or the whole screen",
     .screen_row = 2, .label = "Display", .shown = {"Window", "Full screen"}},
    {.name = "scale", .shape = SETTING_NUMBER, .number = &Settings::scale, .min = SCALE_MIN, .max = SCALE_MAX,
     .comment = "# window scale, 1 to 8\n", .about = "the window's size, in times 640 x 480",
     .screen_row = 3, .label = "Window scale", .shown = {"x"}},
    {.name = "music_volume", .shape = SETTING_NUMBER, .number = &Settings::music_volume, .min = 0, .max = VOLUME_MAX,
     .comment = "# volumes, 0 (silent) to 10 (full)\n", .about = "how loud the music plays",
     .screen_row = 0, .label = "Music volume"},
    {.name = "effects_volume", .shape = SETTING_NUMBER, .number = &Settings::effects_volume, .min = 0, .max = VOLUME_MAX,
     .about = "how loud the sound effects play", .screen_row = 1, .label = "Effects volume"},
    {.name = "play", .shape = SETTING_CHOICE, .flag = &Settings::enhanced, .words = {"classic", "enhanced"},
     .comment = "# classic (exactly as first made) or enhanced (with comforts)\n",
     .about = "exactly as first designed, or with the comforts", .screen_row = 4, .label = "Play",
     .shown = {"Classic", "Enhanced"}},
    {.name = "game_speed", .shape = SETTING_WORD, .number = &Settings::game_speed, .max = GAME_SPEED_COUNT - 1,
     .words = {"100", "85", "70"},
     .comment = "# assists for enhanced play, which classic play ignores: the game's speed in percent,\n"
                "# extra hearts or no damage, and a steady outline instead of blinking and white flashes\n",
     .about = "the speed of enhanced play, in percent of the frame rate", .screen_row = 5, .label = "Game speed",
     .shown = {"100 %", "85 %", "70 %"}, .assist = true},
    {.name = "hearts", .shape = SETTING_WORD, .number = &Settings::hearts, .max = HEARTS_NO_DAMAGE,
     .words = {"normal", "extra", "no_damage"}, .about = "the hero's hearts in enhanced play: as ever, three more, or no damage",
     .screen_row = 6, .label = "Hearts", .shown = {"Normal", "Extra hearts", "No damage"}, .assist = true},
    {.name = "reduced_flashing", .shape = SETTING_CHOICE, .flag = &Settings::reduced_flashing, .words = {"off", "on"},
     .about = "a steady outline instead of blinking and white hit flashes, in enhanced play", .screen_row = 7,
     .label = "Reduced flashing", .shown = {"Off", "On"}, .assist = true},
    {.name = "key_", .shape = SETTING_KEY,
     .comment = "\n# Keys, named by their place on a US keyboard (A..Z, 0..9, Up, Down, Left, Right, Space,\n"
                "# Return, Escape, Tab, LeftShift, Keypad0..Keypad9, ...), or none.\n",
     .about = "the key of each action"},
    {.name = "pad_", .shape = SETTING_BUTTON,
     .comment = "\n# Gamepad buttons: South, East, West, North, Back, Start, Guide, LeftShoulder, RightShoulder,\n"
                "# LeftStick, RightStick, DpadUp, DpadDown, DpadLeft, DpadRight, or none. The left stick always walks.\n",
     .about = "the gamepad button of each action"},
};

inline constexpr int SETTING_SCREEN_ROWS =
    static_cast<int>(std::count_if(std::begin(SETTING_TABLE), std::end(SETTING_TABLE), [](const SettingInfo& s) { return s.screen_row >= 0; }));

// The setting shown on a row of the options screen, or null.
constexpr const SettingInfo* setting_on_screen_row(int row) {
    for (const SettingInfo& s : SETTING_TABLE)
        if (s.screen_row == row) return &s;
    return nullptr;
}

// The assists these settings choose.
constexpr Assists assists_of(const Settings& s) { return {s.game_speed, s.hearts, s.reduced_flashing}; }
