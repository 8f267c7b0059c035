// Splitting `name = value` files into lines, names and values.
#include "base/setting_lines.h"

#include <charconv>

bool next_setting_line(std::string_view& text, int& number, std::string_view& line) {
    while (!text.empty()) {
        const size_t end = text.find('\n');
        line = trim_spaces(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        ++number;
        if (!line.empty() && line[0] != '#') return true;
    }
    return false;
}

std::string_view trim_spaces(std::string_view text) {
    const char* spaces = " \t\r";
    const size_t first = text.find_first_not_of(spaces);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(spaces) - first + 1);
}

bool split_setting_line(std::string_view line, std::string_view& name, std::string_view& value) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    name = trim_spaces(line.substr(0, equals));
    value = trim_spaces(line.substr(equals + 1));
    return true;
}

bool parse_bounded(std::string_view text, int min, int max, int& out) {
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty() || v < min || v > max) return false;
    out = v;
    return true;
}
