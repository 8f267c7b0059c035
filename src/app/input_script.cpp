// Parsing and playback of key scripts.
#include "app/input_script.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "userfiles/setting_table.h"

namespace {

struct KeyName {
    const char* name;
    unsigned bit;
    int virtual_key;
    int scan_code;
};

const KeyName KEY_NAMES[] = {
    {"up", SCRIPT_KEY_UP, platform::VK_UP, 0xC8},          {"down", SCRIPT_KEY_DOWN, platform::VK_DOWN, 0xD0},
    {"left", SCRIPT_KEY_LEFT, platform::VK_LEFT, 0xCB},    {"right", SCRIPT_KEY_RIGHT, platform::VK_RIGHT, 0xCD},
    {"enter", SCRIPT_KEY_ENTER, platform::VK_RETURN, 0x1C}, {"escape", SCRIPT_KEY_ESCAPE, platform::VK_ESCAPE, 0x01},
    {"space", SCRIPT_KEY_SPACE, platform::VK_SPACE, 0x39}, {"a", SCRIPT_KEY_A, 'A', platform::DIK_A},
    {"z", SCRIPT_KEY_Z, 'Z', platform::DIK_Z},         {"tab", SCRIPT_KEY_TAB, platform::VK_TAB, 0x0F},
    {"pause", SCRIPT_KEY_PAUSE, platform::VK_PAUSE, platform::DIK_PAUSE},
};

bool parse_keys(const std::string& word, unsigned& keys) {
    keys = 0;
    if (word == "-") return true;
    std::stringstream parts(word);
    std::string name;
    while (std::getline(parts, name, '+')) {
        bool found = false;
        for (const KeyName& k : KEY_NAMES)
            if (name == k.name) {
                keys |= k.bit;
                found = true;
            }
        if (!found) return false;
    }
    return !word.empty() && word.back() != '+';
}

// Header comments of a recorded run: "# mode classic", "# data 0123abcd..." and the assists
// in force ("# hearts extra").
void read_header_comment(const std::string& line, InputScript& script) {
    std::stringstream words(line);
    std::string hash, name, value;
    if (!(words >> hash >> name >> value) || hash != "#") return;
    if (name == "mode") script.play_mode = value;
    if (name == "data") script.data_hash = value;
    for (const SettingInfo& s : SETTING_TABLE)
        if (s.assist && name == s.name) script.recorded_settings += name + " = " + value + "\n";
}

}  // namespace

unsigned InputScript::keys_at(long frame) {
    if (frame < cursor_first_frame_) {
        cursor_step_ = 0;
        cursor_first_frame_ = 1;
    }
    while (cursor_step_ < steps.size()) {
        const long next_first = cursor_first_frame_ + steps[cursor_step_].count;
        if (frame < next_first) return steps[cursor_step_].keys;
        cursor_first_frame_ = next_first;
        ++cursor_step_;
    }
    return 0;
}

bool parse_input_script(const std::string& text, InputScript& script, std::string& error) {
    std::stringstream in(text);
    std::string line;
    long long number = 0;
    const bool unterminated = !text.empty() && text.back() != '\n';
    script.recorded = text.rfind(RECORDING_FIRST_LINE, 0) == 0;
    while (std::getline(in, line)) {
        ++number;
        if (script.recorded && unterminated && in.eof()) {
            script.cut_line = static_cast<long>(number);
            break;
        }
        read_header_comment(line, script);
        if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::stringstream words(line);
        std::string count_word, keys_word, extra;
        if (!(words >> count_word)) continue;
        char* end = nullptr;
        errno = 0;
        long count = std::strtol(count_word.c_str(), &end, 10);
        const std::string where = "line " + std::to_string(number) + ": ";
        if (!*end && (errno == ERANGE || count < 0 || count > SCRIPT_COUNT_MAX)) {
            error = where + "the count " + count_word + " is out of range (0 to " + std::to_string(SCRIPT_COUNT_MAX) + " frames)";
            return false;
        }
        ScriptStep step;
        if (errno || *end || !(words >> keys_word) || (words >> extra) || !parse_keys(keys_word, step.keys)) {
            error = where + "expected 'COUNT KEYS' (keys: up down left right enter escape space a z tab pause, joined by +, or -)";
            return false;
        }
        step.count = count;
        script.steps.push_back(step);
    }
    return true;
}

bool script_presses(const InputScript& script, unsigned key) {
    for (const ScriptStep& step : script.steps)
        if (step.count > 0 && (step.keys & key)) return true;
    return false;
}

platform::KeyboardSnapshot snapshot_for(unsigned keys) {
    platform::KeyboardSnapshot snap{};
    for (const KeyName& k : KEY_NAMES)
        if (keys & k.bit) {
            snap.virtual_down[k.virtual_key] = true;
            snap.scan_state[k.scan_code] = platform::KEY_DOWN_BIT;
        }
    return snap;
}

unsigned keys_of(const platform::KeyboardSnapshot& snapshot) {
    unsigned keys = 0;
    for (const KeyName& k : KEY_NAMES)
        if (snapshot.virtual_down[k.virtual_key] || (snapshot.scan_state[k.scan_code] & platform::KEY_DOWN_BIT)) keys |= k.bit;
    return keys;
}

std::string script_line(long count, unsigned keys) {
    std::string names;
    for (const KeyName& k : KEY_NAMES) {
        if (!(keys & k.bit)) continue;
        if (!names.empty()) names += '+';
        names += k.name;
    }
    return std::to_string(count) + " " + (names.empty() ? "-" : names) + "\n";
}
