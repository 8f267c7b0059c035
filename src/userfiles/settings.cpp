// Reading and writing settings.ini.
#include "userfiles/settings.h"

#include "base/setting_lines.h"
#include "platform/input_names.h"

namespace {

using platform::ACTION_COUNT;

bool parse_choice(std::string_view value, const char* yes, const char* no, bool& out) {
    if (value == yes) return out = true, true;
    if (value == no) return out = false, true;
    return false;
}

// One line's setting; an empty result means it applied, else the warning's text.
std::string apply_setting(std::string_view name, std::string_view value, Settings& s) {
    if (name == "display")
        return parse_choice(value, "fullscreen", "window", s.fullscreen) ? "" : "display is 'window' or 'fullscreen'";
    if (name == "scale") return parse_bounded(value, SCALE_MIN, SCALE_MAX, s.scale) ? "" : "scale takes a whole number from 1 to 8";
    if (name == "music_volume" || name == "effects_volume") {
        int& volume = name == "music_volume" ? s.music_volume : s.effects_volume;
        return parse_bounded(value, 0, VOLUME_MAX, volume) ? "" : std::string(name) + " takes a whole number from 0 to 10";
    }
    if (name == "play") return parse_choice(value, "enhanced", "classic", s.enhanced) ? "" : "play is 'classic' or 'enhanced'";
    for (int a = 0; a < ACTION_COUNT; ++a) {
        const std::string action = platform::action_file_name(a);
        if (name == "key_" + action) {
            const int key = value == "none" ? platform::UNBOUND : platform::scancode_from_file_name(value);
            if (key == -1 && value != "none") return "unknown key '" + std::string(value) + "'";
            platform::bind_key(s.bindings, a, key);
            return "";
        }
        if (name == "pad_" + action) {
            const int button = value == "none" ? platform::UNBOUND : platform::pad_button_from_name(value);
            if (button == -1 && value != "none") return "unknown gamepad button '" + std::string(value) + "'";
            platform::bind_button(s.bindings, a, button);
            return "";
        }
    }
    return "unknown setting '" + std::string(name) + "'";
}

}  // namespace

int parse_settings(std::string_view text, Settings& settings, std::vector<std::string>& warnings) {
    int bad = 0;
    SettingLine line;
    std::string_view name, value;
    while (next_setting_line(text, line)) {
        std::string fault = split_setting_line(line.text, name, value) ? apply_setting(name, value, settings) : "expected 'name = value'";
        if (!fault.empty() && ++bad <= SETTINGS_WARNINGS_SHOWN)
            warnings.push_back("line " + std::to_string(line.number) + ": " + fault + "; line ignored");
    }
    return bad;
}

std::string format_settings(const Settings& s) {
    std::string out =
        "# Quillmoor settings. One 'name = value' a line; lines starting with # are comments.\n"
        "# Options on the command line override this file for one run without changing it.\n\n"
        "# window or fullscreen\n"
        "display = " + std::string(s.fullscreen ? "fullscreen" : "window") + "\n"
        "# window scale, 1 to 8\n"
        "scale = " + std::to_string(s.scale) + "\n"
        "# volumes, 0 (silent) to 10 (full)\n"
        "music_volume = " + std::to_string(s.music_volume) + "\n"
        "effects_volume = " + std::to_string(s.effects_volume) + "\n"
        "# classic (exactly as first made) or enhanced (with comforts)\n"
        "play = " + std::string(s.enhanced ? "enhanced" : "classic") + "\n\n"
        "# Keys, named by their place on a US keyboard (A..Z, 0..9, Up, Down, Left, Right, Space,\n"
        "# Return, Escape, Tab, LeftShift, Keypad0..Keypad9, ...), or none.\n";
    for (int a = 0; a < ACTION_COUNT; ++a) {
        const char* key = platform::scancode_file_name(s.bindings.key[a]);
        out += "key_" + std::string(platform::action_file_name(a)) + " = " + (key ? key : "none") + "\n";
    }
    out += "\n# Gamepad buttons: South, East, West, North, Back, Start, Guide, LeftShoulder, RightShoulder,\n"
           "# LeftStick, RightStick, DpadUp, DpadDown, DpadLeft, DpadRight, or none. The left stick always walks.\n";
    for (int a = 0; a < ACTION_COUNT; ++a) {
        const int button = s.bindings.button[a];
        out += "pad_" + std::string(platform::action_file_name(a)) + " = " +
               (button == platform::UNBOUND ? "none" : platform::pad_button_name(button)) + "\n";
    }
    return out;
}
