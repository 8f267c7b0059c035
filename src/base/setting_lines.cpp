// Splitting `name = value` files into lines, names, values and comments.
#include "base/setting_lines.h"

#include <charconv>

namespace {
constexpr std::string_view SPACES = " \t\r";
constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";
}  // namespace

bool next_line(std::string_view& text, SettingLine& line) {
    // Editors on some systems start a UTF-8 file with a mark that is no part of the first name.
    if (line.number == 0 && text.starts_with(BYTE_ORDER_MARK)) text.remove_prefix(BYTE_ORDER_MARK.size());
    if (text.empty()) return false;
    const size_t end = text.find('\n');
    std::string_view whole = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    ++line.number;
    const size_t last = whole.find_last_not_of(SPACES);
    line.whole = whole = last == std::string_view::npos ? std::string_view{} : whole.substr(0, last + 1);
    line.text = trim_spaces(whole.substr(0, whole.find('#')));
    line.tail = line.text.empty() ? whole : whole.substr(static_cast<size_t>(line.text.data() + line.text.size() - whole.data()));
    return true;
}

bool next_setting_line(std::string_view& text, SettingLine& line) {
    while (next_line(text, line))
        if (!line.text.empty()) return true;
    return false;
}

std::string_view trim_spaces(std::string_view text) {
    const size_t first = text.find_first_not_of(SPACES);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(SPACES) - first + 1);
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
