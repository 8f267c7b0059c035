// The keyboard snapshot behind key_down and read_key_state.
#include "platform/keyboard.h"

#include <cstring>

namespace platform {
namespace {
KeyboardSnapshot current{};
}

bool key_down(int virtual_key) {
    return virtual_key >= 0 && virtual_key < 256 && current.virtual_down[virtual_key];
}

bool read_key_state(uint8_t state[256]) {
    std::memcpy(state, current.scan_state, 256);
    return true;
}

void set_keyboard_snapshot(const KeyboardSnapshot& snapshot) { current = snapshot; }

void clear_keyboard_snapshot() { current = KeyboardSnapshot{}; }

const KeyboardSnapshot& keyboard_snapshot() { return current; }

}  // namespace platform
