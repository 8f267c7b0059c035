// settings.ini: reading and writing the player's settings as `name = value` lines.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "userfiles/setting_table.h"

constexpr int SETTINGS_WARNINGS_SHOWN = 5;  // bad lines told one by one; the rest are counted

// Applies every good `name = value` line of a settings file over `settings`; each bad line
// (unknown name, bad or out-of-range value, no '=') is skipped and, for the first
// SETTINGS_WARNINGS_SHOWN, adds a warning "line N: ...". Returns how many lines were bad.
// '#' starts a comment anywhere on a line.
int parse_settings(std::string_view text, Settings& settings, std::vector<std::string>& warnings);
// The whole file for these settings, with comments that explain every line. The player's own
// lines in `old_file` (comments, lines the game does not know, comments after a setting) are
// kept: each above the setting that followed it, the rest at the end.
std::string format_settings(const Settings& settings, std::string_view old_file = {});
// Copies into `file` each setting, key and button that `changed` holds differently from
// `before`; the rest of `file` stays, as another game on the profile may have written it.
void copy_changed_settings(const Settings& before, const Settings& changed, Settings& file);
// A setting's value as the file writes it; `action` picks the line of a key or button.
std::string setting_value_text(const SettingInfo& setting, const Settings& settings, int action);
