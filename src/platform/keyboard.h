// The two keyboard questions the game asks: is a key down now (by virtual-key code),
// and the 256-byte state by scan code. Each backend fills one snapshot per frame.
#pragma once
#include <cstdint>

namespace platform {

constexpr int VK_TAB = 9;
constexpr int VK_PAUSE = 0x13;  // the pause key: P, Pause, the pad's Start, or the window losing focus
constexpr int VK_RETURN = 13;
constexpr int VK_ESCAPE = 27;
constexpr int VK_SPACE = 32;
constexpr int VK_LEFT = 37;
constexpr int VK_UP = 38;
constexpr int VK_RIGHT = 39;
constexpr int VK_DOWN = 40;

constexpr int DIK_A = 0x1E;
constexpr int DIK_Z = 0x2C;
constexpr int DIK_PAUSE = 0xC5;
constexpr uint8_t KEY_DOWN_BIT = 0x80;

struct KeyboardSnapshot {
    bool virtual_down[256];  // by virtual-key code
    uint8_t scan_state[256];  // by scan code, KEY_DOWN_BIT while down
};

// True while the key with this virtual-key code is down; false for codes outside 0..255.
bool key_down(int virtual_key);
// Copies the 256-byte scan-code state into `state`. Returns false when no keyboard is open.
bool read_key_state(uint8_t state[256]);

// Backends and the headless runner replace the snapshot the two questions read.
void set_keyboard_snapshot(const KeyboardSnapshot& snapshot);
void clear_keyboard_snapshot();
// The snapshot the game reads this frame (what a recording keeps).
const KeyboardSnapshot& keyboard_snapshot();

}  // namespace platform
