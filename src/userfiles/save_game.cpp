// The progress file's format.
#include "userfiles/save_game.h"

#include "base/setting_lines.h"

namespace {
constexpr const char* SAVE_HEADER = "# Quillmoor saved progress, written at each level start.";
constexpr int LIVES_MAX = 99;
}  // namespace

bool parse_save(std::string_view text, SaveGame& save, std::string& error) {
    SaveGame read;
    bool seen_level = false, seen_lives = false, seen_bow = false;
    SettingLine line;
    std::string_view name, value;
    while (next_setting_line(text, line)) {
        const std::string where = "line " + std::to_string(line.number) + ": ";
        if (!split_setting_line(line.text, name, value)) return error = where + "expected 'name = value'", false;
        if (name == "level") {
            if (!parse_bounded(value, 1, 3, read.level)) return error = where + "level must be 1, 2 or 3", false;
            seen_level = true;
        } else if (name == "lives") {
            if (!parse_bounded(value, 1, LIVES_MAX, read.lives)) return error = where + "lives must be 1 to 99", false;
            seen_lives = true;
        } else if (name == "bow") {
            if (value != "yes" && value != "no") return error = where + "bow must be yes or no", false;
            read.has_bow = value == "yes";
            seen_bow = true;
        } else {
            return error = where + "unknown entry '" + std::string(name) + "'", false;
        }
    }
    if (!seen_level || !seen_lives || !seen_bow) return error = "level, lives or bow is missing", false;
    save = read;
    return true;
}

std::string format_save(const SaveGame& save) {
    return std::string(SAVE_HEADER) + "\nlevel = " + std::to_string(save.level) + "\nlives = " + std::to_string(save.lives) +
           "\nbow = " + (save.has_bow ? "yes" : "no") + "\n";
}
