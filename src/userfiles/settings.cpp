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

// What a name in the file sets: the table's row, the action of a key or button, and the
// setting's line among those of a written file.
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

}  // namespace

std::string setting_value_text(const SettingInfo& s, const Settings& settings, int action) {
    switch (s.shape) {
        case SETTING_CHOICE: return s.words[settings.*s.flag];
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

std::string format_settings(const Settings& settings) {
    std::string out(HEADER);
    for (const SettingInfo& s : SETTING_TABLE) {
        if (s.comment) out += s.comment;
        for (int a = 0; a < lines_of(s); ++a) {
            out += s.name;
            if (per_action(s)) out += platform::action_file_name(a);
            out.append(" = ").append(setting_value_text(s, settings, a)).push_back('\n');
        }
    }
    return out;
}

void copy_changed_settings(const Settings& before, const Settings& changed, Settings& file) {
    for (const SettingInfo& s : SETTING_TABLE) {
        if (s.flag && changed.*s.flag != before.*s.flag) file.*s.flag = changed.*s.flag;
        if (s.number && changed.*s.number != before.*s.number) file.*s.number = changed.*s.number;
    }
    file.bindings = changed.bindings;
}
