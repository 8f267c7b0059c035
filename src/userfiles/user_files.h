// Where the player's files live (the XDG folders, or one --profile folder), and writing
// them so that a crash mid-write never loses the old file.
#pragma once
#include <string>
#include <string_view>

#include "base/data_file.h"

struct UserPaths {
    std::string settings_file;  // $XDG_CONFIG_HOME/quillmoor/settings.ini
    std::string save_file;  // $XDG_DATA_HOME/quillmoor/progress.ini
    std::string screenshot_dir;  // $XDG_DATA_HOME/quillmoor/screenshots
};

// With `profile_dir` set, every file lives in it; otherwise in the XDG homes (falling back
// to ~/.config and ~/.local/share; a relative XDG path or HOME is ignored). Empty paths when
// there is no home to use.
UserPaths user_paths(const std::string& profile_dir);

// Writes a new temporary file beside `path` (made exclusively, under a name of its own, so
// writers at once never share one and a planted link is never followed), flushes it to disk
// and renames it over `path`, making the folder first. Readers see the whole old or the whole
// new file. False with `error` set on failure (the old file is kept).
bool write_file_atomically(const std::string& path, std::string_view text, std::string& error);

enum class FileRead { Missing, Read, Failed };
// Reads a whole small file; Failed with `error` set when it exists but is not a file, cannot
// be read or is over the kind's size limit (checked before reading).
FileRead read_user_file(const std::string& path, DataKind kind, std::string& text, std::string& error);
