// Reading text files of `name = value` lines: the settings and the saved progress.
#pragma once
#include <string_view>

// The next line of `text` worth reading, its spaces trimmed: blank lines and lines starting
// with '#' are skipped. Consumes `text` up to it and counts every line passed in `number`
// (the first is 1). False when `text` is used up.
bool next_setting_line(std::string_view& text, int& number, std::string_view& line);
// Splits "name = value" (spaces around both trimmed); false when there is no '='.
bool split_setting_line(std::string_view line, std::string_view& name, std::string_view& value);
std::string_view trim_spaces(std::string_view text);
// A whole number within [min, max]; false for anything else.
bool parse_bounded(std::string_view text, int min, int max, int& out);
