// A fingerprint of the data folder, so a recorded run can tell when it replays on other data.
#pragma once
#include <cstdint>
#include <string>

// FNV-1a over the names and bytes of every file in `dir` (names in sorted order; files whose
// names start with '.' are left out). 0 when the folder cannot be read.
uint64_t data_folder_hash(const std::string& dir);
// The hash as 16 lower-case hex digits.
std::string hash_text(uint64_t hash);
