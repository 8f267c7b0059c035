// The headless runner's key scripts: `COUNT KEYS` lines, each holding keys for COUNT frames.
#pragma once
#include <string>
#include <vector>

#include "platform/keyboard.h"

// Key bits of a script step.
enum ScriptKey : unsigned {
    SCRIPT_KEY_UP = 1u << 0,
    SCRIPT_KEY_DOWN = 1u << 1,
    SCRIPT_KEY_LEFT = 1u << 2,
    SCRIPT_KEY_RIGHT = 1u << 3,
    SCRIPT_KEY_ENTER = 1u << 4,
    SCRIPT_KEY_ESCAPE = 1u << 5,
    SCRIPT_KEY_SPACE = 1u << 6,
    SCRIPT_KEY_A = 1u << 7,
    SCRIPT_KEY_Z = 1u << 8,
    SCRIPT_KEY_TAB = 1u << 9,  // the options screen, from the title
    SCRIPT_KEY_PAUSE = 1u << 10,  // enhanced play's pause (P, Pause, the pad's Start, the focus lost)
    SCRIPT_KEYS_ALL = (SCRIPT_KEY_PAUSE << 1) - 1,  // every named key's bit; a new key goes above, then here
};

struct ScriptStep {
    long count = 0;
    unsigned keys = 0;
};

struct InputScript {
    std::vector<ScriptStep> steps;
    // From a recorded run's header comments ("# mode NAME", "# data HASH"); empty when absent.
    std::string play_mode;
    std::string data_hash;
    // The assists a recording's header names ("# game_speed 85"), as settings.ini lines
    // ("game_speed = 85\n"); empty when it names none.
    std::string recorded_settings;
    bool recorded = false;  // opens with the recorder's first line
    long cut_line = 0;  // a recording's last line, left without its newline and not played; 0 if none

    // Keys held in frame `frame` (counting from 1); none after the last step. Asking for
    // frames in rising order takes constant time: a cursor remembers the step reached.
    unsigned keys_at(long frame);

private:
    size_t cursor_step_ = 0;
    long cursor_first_frame_ = 1;  // the first frame of the cursor's step
};

// The longest run one line may hold, in frames.
constexpr long SCRIPT_COUNT_MAX = 100000000;
// The recorder's first line, which marks a file as a recording.
constexpr const char* RECORDING_FIRST_LINE = "# Quillmoor key script, one 'COUNT KEYS' line per run of frames";

// Parses a script; on a malformed line returns false with `error` naming the line. In a
// recording, a last line without its newline was cut short by a crash: it is left out and
// named in `cut_line`, and every complete line before it plays.
bool parse_input_script(const std::string& text, InputScript& script, std::string& error);
// True when some step of the script holds `key`.
bool script_presses(const InputScript& script, unsigned key);
// The keyboard the game sees for a set of script keys.
platform::KeyboardSnapshot snapshot_for(unsigned keys);
// The script keys of a keyboard snapshot: the keys the game reads, nothing else.
unsigned keys_of(const platform::KeyboardSnapshot& snapshot);
// The `COUNT KEYS` line of a step, with its newline.
std::string script_line(long count, unsigned keys);
