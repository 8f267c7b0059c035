// Reading and writing settings.ini, line by line as the setting table says.
#include "userfiles/settings.h"

#include "base/setting_lines.h"
#include "platform/input_names.h"

namespace {

using platform::ACTION_COUNT;
using platform::UNBOUND;

constexpr std::string_view HEADER =
    "# Quillmoor settings. One 'name = value' a line; lines starting with # are comments.\n"
    "# Options on the command line override this file for one run without changing it.\n\n";

constexpr bool per_action(const SettingInfo& s) { return s.shape == SETTING_KEY || s.shape == SETTING_BUTTON; }
constexpr int lines_of(const SettingInfo& s) { return per_action(s) ? ACTION_COUNT : 1; }

// The lines of settings in a written file.
constexpr int SETTING_LINES = [] {
    int n = 0;
    for (const SettingInfo& s : SETTING_TABLE) n += lines_of(s);
    return n;
}();

// What a name in the file sets: the table's row, the action of a key or button, and the
// setting's line among the SETTING_LINES of a written file.
struct SettingPlace {
    const SettingInfo* setting = nullptr;
    int action = 0;
    int line = -1;
};

SettingPlace find_setting(std::string_view name) {
    int line = 0;
    for (const SettingInfo& s : SETTING_TABLE) {
        if (!per_action(s) && name == s.name) return {&s, 0, line};
        const std::string_view prefix = s.name;
        if (per_action(s) && name.starts_with(prefix))
            for (int a = 0; a < ACTION_COUNT; ++a)
                if (name.substr(prefix.size()) == platform::action_file_name(a)) return {&s, a, line + a};
        line += lines_of(s);
    }
    return {};
}

// One line's value; an empty result means it applied, else the warning's text.
std::string apply_value(const SettingInfo& s, int action, std::string_view value, Settings& settings) {
    switch (s.shape) {
        case SETTING_CHOICE:
            for (const bool choice : {false, true})
                if (value == s.words[choice]) return settings.*s.flag = choice, "";
            return std::string(s.name) + " is '" + s.words[0] + "' or '" + s.words[1] + "'";
        case SETTING_WORD: {
            std::string fault = std::string(s.name) + " is ";
            for (int i = s.min; i <= s.max; ++i) {
                if (value == s.words[i]) return settings.*s.number = i, "";
                fault.append(i == s.min ? "'" : i == s.max ? " or '" : ", '").append(s.words[i]).push_back('\'');
            }
            return fault;
        }
        case SETTING_NUMBER:
            if (parse_bounded(value, s.min, s.max, settings.*s.number)) return "";
            return std::string(s.name) + " takes a whole number from " + std::to_string(s.min) + " to " + std::to_string(s.max);
        case SETTING_KEY: {
            const int key = value == "none" ? UNBOUND : platform::scancode_from_file_name(value);
            if (key == -1 && value != "none") return "unknown key '" + std::string(value) + "'";
            platform::bind_key(settings.bindings, action, key);
            return "";
        }
        case SETTING_BUTTON: {
            const int button = value == "none" ? UNBOUND : platform::pad_button_from_name(value);
            if (button == -1 && value != "none") return "unknown gamepad button '" + std::string(value) + "'";
            platform::bind_button(settings.bindings, action, button);
            return "";
        }
    }
    return "";
}

// A comment line the game itself writes, which a rewrite writes afresh rather than keeps.
bool is_own_line(std::string_view whole) {
    const auto in = [whole](std::string_view block) {
        for (SettingLine own; next_line(block, own);)
            if (own.whole == whole) return true;
        return false;
    };
    if (in(HEADER)) return true;
    for (const SettingInfo& s : SETTING_TABLE)
        if (s.comment && in(s.comment)) return true;
    return false;
}

}  // namespace

std::string setting_value_text(const SettingInfo& s, const Settings& settings, int action) {
    switch (s.shape) {
        case SETTING_CHOICE: return s.words[settings.*s.flag];
        case SETTING_WORD: {
            const int index = settings.*s.number;
            return index >= s.min && index <= s.max ? s.words[index] : s.words[s.min];
        }
        case SETTING_NUMBER: return std::to_string(settings.*s.number);
        case SETTING_KEY: {
            const char* key = platform::scancode_file_name(settings.bindings.key[action]);
            return key ? key : "none";
        }
        case SETTING_BUTTON: {
            const int button = settings.bindings.button[action];
            return button == UNBOUND ? "none" : platform::pad_button_name(button);
        }
    }
    return "";
}

int parse_settings(std::string_view text, Settings& settings, std::vector<std::string>& warnings) {
    int bad = 0;
    SettingLine line;
    std::string_view name, value;
    while (next_setting_line(text, line)) {
        std::string fault = "expected 'name = value'";
        if (split_setting_line(line.text, name, value)) {
            const SettingPlace place = find_setting(name);
            fault = place.setting ? apply_value(*place.setting, place.action, value, settings) : "unknown setting '" + std::string(name) + "'";
        }
        if (!fault.empty() && ++bad <= SETTINGS_WARNINGS_SHOWN)
            warnings.push_back("line " + std::to_string(line.number) + ": " + fault + "; line ignored");
    }
    return bad;
}

std::string format_settings(const Settings& settings, std::string_view old_file) {
    // The player's lines: those gathered above each setting's line, and the comment after it.
    std::vector<std::string> above(SETTING_LINES + 1);  // the last one: the end of the file
    std::vector<std::string_view> tails(SETTING_LINES);
    SettingLine line;
    std::string_view name, value;
    std::string pending;
    while (next_line(old_file, line)) {
        const SettingPlace place = split_setting_line(line.text, name, value) ? find_setting(name) : SettingPlace{};
        if (place.setting) {
            above[place.line] += pending;
            pending.clear();
            tails[place.line] = line.tail;
        } else if (!line.whole.empty() && !is_own_line(line.whole)) {
            pending.append(line.whole).push_back('\n');
        }
    }
    above.back() = pending;

    std::string out(HEADER);
    int index = 0;
    for (const SettingInfo& s : SETTING_TABLE) {
        if (s.comment) out += s.comment;
        for (int a = 0; a < lines_of(s); ++a, ++index) {
            out += above[index];
            out += s.name;
            if (per_action(s)) out += platform::action_file_name(a);
            out.append(" = ").append(setting_value_text(s, settings, a)).append(tails[index]).push_back('\n');
        }
    }
    return out + above.back();
}

void copy_changed_settings(const Settings& before, const Settings& changed, Settings& file) {
    for (const SettingInfo& s : SETTING_TABLE) {
        if (s.flag && changed.*s.flag != before.*s.flag) file.*s.flag = changed.*s.flag;
        if (s.number && changed.*s.number != before.*s.number) file.*s.number = changed.*s.number;
    }
    for (int action = 0; action < platform::ACTION_COUNT; ++action) {
        if (changed.bindings.key[action] != before.bindings.key[action]) file.bindings.key[action] = changed.bindings.key[action];
        if (changed.bindings.button[action] != before.bindings.button[action])
            file.bindings.button[action] = changed.bindings.button[action];
    }
}
