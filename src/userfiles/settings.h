// The player's settings: display, volumes, play mode and controls, and their file format.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/bindings.h"

struct Settings {
    bool fullscreen = true;
    int scale = 2;  // window scale, 1..8
    int music_volume = 10;  // 0..10
    int effects_volume = 10;  // 0..10
    bool enhanced = true;  // enhanced or classic play
    platform::Bindings bindings = platform::default_bindings(platform::SCANCODE_A, platform::SCANCODE_Z);
};

constexpr int VOLUME_MAX = 10;
constexpr int SCALE_MIN = 1, SCALE_MAX = 8;

constexpr int SETTINGS_WARNINGS_SHOWN = 5;  // bad lines told one by one; the rest are counted

// Applies every good `name = value` line of a settings file over `settings`; each bad line
// (unknown name, bad or out-of-range value, no '=') is skipped and, for the first
// SETTINGS_WARNINGS_SHOWN, adds a warning "line N: ...". Returns how many lines were bad.
// '#' starts a comment anywhere on a line.
int parse_settings(std::string_view text, Settings& settings, std::vector<std::string>& warnings);
// The whole file for these settings, with comments that explain every line.
std::string format_settings(const Settings& settings);
