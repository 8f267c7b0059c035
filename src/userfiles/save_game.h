// Saved progress: the level last started, with the lives and bow held when it began.
#pragma once
#include <string>
#include <string_view>

struct SaveGame {
    int level = 1;  // 1..3
    int lives = 3;
    bool has_bow = false;
};

// Reads a progress file; false with `error` saying what is wrong when any line is damaged
// or a value is missing, so a half-written or edited file is never half believed.
bool parse_save(std::string_view text, SaveGame& save, std::string& error);
std::string format_save(const SaveGame& save);
