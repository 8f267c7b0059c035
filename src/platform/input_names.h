// Names of keyboard keys (by scancode, the key's place on the board) and of gamepad buttons,
// as the settings file writes them. No SDL here, so settings can be read anywhere.
#pragma once
#include <string_view>

namespace platform {

// Scancodes are the USB keyboard usage numbers, the same numbers the window backend sees.
constexpr int SCANCODE_A = 4;
constexpr int SCANCODE_O = 18;
constexpr int SCANCODE_P = 19;
constexpr int SCANCODE_Z = 29;
constexpr int SCANCODE_RETURN = 40;
constexpr int SCANCODE_ESCAPE = 41;
constexpr int SCANCODE_BACKSPACE = 42;
constexpr int SCANCODE_TAB = 43;
constexpr int SCANCODE_SPACE = 44;
constexpr int SCANCODE_F12 = 69;
constexpr int SCANCODE_PAUSE = 72;
constexpr int SCANCODE_RIGHT = 79;
constexpr int SCANCODE_LEFT = 80;
constexpr int SCANCODE_DOWN = 81;
constexpr int SCANCODE_UP = 82;
constexpr int SCANCODE_KP_ENTER = 88;
constexpr int SCANCODE_COUNT = 512;

// Gamepad buttons, numbered as the game-controller layer numbers them; faces by position.
enum PadButton : int {
    PAD_SOUTH = 0,
    PAD_EAST = 1,
    PAD_WEST = 2,
    PAD_NORTH = 3,
    PAD_BACK = 4,
    PAD_GUIDE = 5,
    PAD_START = 6,
    PAD_LEFT_STICK = 7,
    PAD_RIGHT_STICK = 8,
    PAD_LEFT_SHOULDER = 9,
    PAD_RIGHT_SHOULDER = 10,
    PAD_DPAD_UP = 11,
    PAD_DPAD_DOWN = 12,
    PAD_DPAD_LEFT = 13,
    PAD_DPAD_RIGHT = 14,
    PAD_BUTTON_COUNT = 15,
};

// The file name of a key ("A", "Up", "Space"...), or null for a key the game cannot bind.
const char* scancode_file_name(int scancode);
// The scancode of a file name (letters in either case), or -1.
int scancode_from_file_name(std::string_view name);
const char* pad_button_name(int button);
// The name a player reads for a button ("pad A", "pad Start"), or "no button".
const char* pad_button_display_name(int button);
// -1 for an unknown name.
int pad_button_from_name(std::string_view name);

}  // namespace platform
