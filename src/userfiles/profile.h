// The player's own files in a run: settings.ini and the saved progress, read at start-up,
// written when settings change and at each level start. Off in headless runs without --profile.
#pragma once
#include <string>

#include "base/play_mode.h"
#include "userfiles/save_game.h"
#include "userfiles/settings.h"
#include "userfiles/user_files.h"

// What the command line says of the player's files and settings for this run.
struct ProfileRequest {
    bool headless = false;  // headless runs keep no files unless given a folder
    // Settings kept in memory only, no file read or written: a headless replay of a recording
    // that opens the options screen, which the window it was made in offered.
    bool in_memory = false;
    std::string profile_dir;  // --profile: the files live here, not in the XDG homes
    bool windowed = false;  // --window
    bool scale_given = false;  // --scale
    int scale = 2;
    bool play_mode_given = false;  // --classic, --enhanced, or headless (classic by default)
    PlayMode play_mode = PlayMode::Classic;
};

struct Profile {
    bool active = false;  // user files are read and written this run
    UserPaths paths;
    std::string settings_text;  // settings.ini as read, for a second reading after start-up
    Settings file_settings;  // as settings.ini says: what is written back
    Settings settings;  // in force this run: the file under the command line
    bool has_save = false;
    SaveGame save;
};

extern Profile profile;

// Reads settings.ini and the saved progress (in a window, or headless with --profile),
// warning on stderr about each bad line; the command line then overrides the file.
void open_profile(const ProfileRequest& request);
// Once the platform runs: the assists, the play mode, and for players with files the bindings
// (over this layout's defaults), volumes and screenshot folder.
void apply_profile_settings();
// The options screen's new settings: applied at once; what differs from the settings in
// force before is written to settings.ini (command-line overrides stay out of the file).
void change_settings(const Settings& changed);
// At a level start (the progress map appears): writes the level, lives and bow.
void record_level_start(const SaveGame& save);
// The story is finished: there is nothing left to continue, so the saved progress goes.
void forget_saved_progress();
void reset_profile();
