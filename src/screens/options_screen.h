// The options screen, reached from the title: volumes, display, play mode, assists and controls.
#pragma once
#include "graphics/sprite.h"
#include "userfiles/setting_table.h"

// The settings' rows come first, as the setting table places them, then one row per action.
enum OptionsRow : int {
    OPTIONS_ROW_FIRST_ACTION = SETTING_SCREEN_ROWS,  // in Action order
    OPTIONS_ROW_BACK = OPTIONS_ROW_FIRST_ACTION + platform::ACTION_COUNT,
    OPTIONS_ROW_COUNT,
};

constexpr int OPTIONS_WAIT_FRAMES = 200;  // a remap nobody answers is given up after ~6 s

struct OptionsScreen {
    Sprite heading;  // the OPTIONS plaque
    Sprite panel;  // the framed field the rows are written on
    Sprite pips;  // volume marks: frame 0 lit, 1 empty
    Settings editing;  // what the screen shows and changes
    int row = 0;
    int held_frames = 0;  // frames the same direction has been held, for key repeat
    bool was_down[256] = {};  // game keys down in the last frame
    int waiting_frames = -1;  // >= 0 while waiting for the new key or button of the row's action
    const char* notice = nullptr;  // a short line under the rows
    Settings saved;  // what settings.ini holds: a choice the command line overrides shows what is saved
    bool from_pause = false;  // opened from the pause overlay, where Back returns

    // Loads the three pictures; 0 when a sprite cannot be made.
    int load_options_screen();
    // Starts a visit with the settings in force; keys held now count only once released.
    void open(const Settings& settings);
    // One frame: keys, changes, drawing. True when the player leaves the screen; `changed`
    // is set when a setting changed this frame.
    bool update(bool& changed);
    void draw(Sprite& brick, Sprite& pointer);
};

extern OptionsScreen options_screen;
