// Reading text files of `name = value` lines: the settings and the saved progress.
#pragma once
#include <string_view>

// One line of a `name = value` file. '#' starts a comment anywhere on a line.
struct SettingLine {
    int number = 0;  // the line's number, from 1
    std::string_view whole;  // as written, without the line end and trailing spaces
    std::string_view text;  // before any '#', spaces trimmed: empty on blank and comment lines
    std::string_view tail;  // what follows the text: a comment with the spaces before it ("  # quiet")
};

// The line after `line` (start from SettingLine{}): consumes `text` up to its end and counts
// it in `line.number`. A UTF-8 byte-order mark before the first line is skipped. False when
// `text` is used up.
bool next_line(std::string_view& text, SettingLine& line);
// The next line with text, skipping blank and comment lines.
bool next_setting_line(std::string_view& text, SettingLine& line);
// Splits "name = value" (spaces around both trimmed); false when there is no '='.
bool split_setting_line(std::string_view line, std::string_view& name, std::string_view& value);
std::string_view trim_spaces(std::string_view text);
// A whole number within [min, max]; false for anything else.
bool parse_bounded(std::string_view text, int min, int max, int& out);
