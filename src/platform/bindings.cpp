// Controls: defaults, rebinding with swaps, and the keys and pad of a frame turned into
// the keyboard snapshot.
#include "platform/bindings.h"

#include "platform/input_names.h"

namespace platform {
namespace {

struct GameKey {
    const char* file_name;
    const char* title;
    int virtual_key;
    int scan_code;
};

const GameKey GAME_KEYS[ACTION_COUNT] = {
    {"up", "Walk up", VK_UP, 0xC8},
    {"down", "Walk down", VK_DOWN, 0xD0},
    {"left", "Walk left", VK_LEFT, 0xCB},
    {"right", "Walk right", VK_RIGHT, 0xCD},
    {"sword", "Sword", 'A', DIK_A},
    {"bow", "Bow", 'Z', DIK_Z},
    {"next", "Next line, set out", VK_SPACE, 0x39},
    {"confirm", "Choose on the title", VK_RETURN, 0x1C},
    {"back", "Leave play for the title", VK_ESCAPE, 0x01},
    {"options", "Options from the title", VK_TAB, 0x0F},
};

Bindings bindings_in_force = default_bindings(SCANCODE_A, SCANCODE_Z);
PadState pad_in_force;
RawPress raw_press;
bool raw_press_waiting = false;

void press(KeyboardSnapshot& snap, int action) {
    snap.virtual_down[GAME_KEYS[action].virtual_key] = true;
    snap.scan_state[GAME_KEYS[action].scan_code] = KEY_DOWN_BIT;
}

template <typename Slot>
void bind_swapping(Slot (&slots)[ACTION_COUNT], int action, int value) {
    if (action < 0 || action >= ACTION_COUNT) return;
    for (int other = 0; other < ACTION_COUNT; ++other)
        if (other != action && value != UNBOUND && slots[other] == value) slots[other] = slots[action];
    slots[action] = value;
}

}  // namespace

const char* action_file_name(int action) { return action >= 0 && action < ACTION_COUNT ? GAME_KEYS[action].file_name : ""; }
const char* action_title(int action) { return action >= 0 && action < ACTION_COUNT ? GAME_KEYS[action].title : ""; }

Bindings default_bindings(int sword_scancode, int bow_scancode) {
    Bindings b{};
    const int keys[ACTION_COUNT] = {SCANCODE_UP,    SCANCODE_DOWN,  SCANCODE_LEFT,   SCANCODE_RIGHT,  sword_scancode,
                                    bow_scancode,   SCANCODE_SPACE, SCANCODE_RETURN, SCANCODE_ESCAPE, SCANCODE_TAB};
    const int buttons[ACTION_COUNT] = {PAD_DPAD_UP, PAD_DPAD_DOWN, PAD_DPAD_LEFT, PAD_DPAD_RIGHT, PAD_SOUTH,
                                       PAD_WEST,    PAD_EAST,      PAD_START,     PAD_BACK,       PAD_NORTH};
    for (int a = 0; a < ACTION_COUNT; ++a) {
        b.key[a] = keys[a];
        b.button[a] = buttons[a];
    }
    return b;
}

void press_action(KeyboardSnapshot& snap, int action) {
    if (action >= 0 && action < ACTION_COUNT) press(snap, action);
}

void press_pause(KeyboardSnapshot& snap) {
    snap.virtual_down[VK_PAUSE] = true;
    snap.scan_state[DIK_PAUSE] = KEY_DOWN_BIT;
}

void bind_key(Bindings& bindings, int action, int scancode) { bind_swapping(bindings.key, action, scancode); }
void bind_button(Bindings& bindings, int action, int button) { bind_swapping(bindings.button, action, button); }

void pad_press(PadState& pad, int button, bool down) {
    if (button < 0 || button >= PAD_BUTTON_COUNT) return;
    pad.down[button] = down;
    if (!down) pad.held_over[button] = false;
}

void pad_set_context(PadState& pad, int context) {
    if (context == pad.context) return;
    pad.context = context;
    for (int b = 0; b < PAD_BUTTON_COUNT; ++b) pad.held_over[b] = pad.down[b];
}

KeyboardSnapshot snapshot_from_controls(const Bindings& bindings, const bool* keys_down, const PadState& pad) {
    KeyboardSnapshot snap{};
    for (int a = 0; a < ACTION_COUNT; ++a) {
        const int key = bindings.key[a];
        if (key == SCANCODE_RETURN && keys_down[SCANCODE_KP_ENTER]) press(snap, a);
        if (key >= 0 && key < SCANCODE_COUNT && keys_down[key]) press(snap, a);
    }
    auto held = [&](int button) {
        return button >= 0 && button < PAD_BUTTON_COUNT && pad.down[button] && !pad.held_over[button];
    };
    for (int a = 0; a < ACTION_COUNT; ++a) {
        if (!held(bindings.button[a])) continue;
        if (a == ACTION_CONFIRM && pad.context == PAD_CONTEXT_PLAY)
            press(snap, ACTION_BACK);
        else if (a == ACTION_CONFIRM && pad.context == PAD_CONTEXT_PLAY_PAUSES)
            press_pause(snap);
        else
            press(snap, a);
    }
    // P pauses unless the player gave it to an action; the Pause key always does.
    bool p_bound = false;
    for (int a = 0; a < ACTION_COUNT; ++a) p_bound = p_bound || bindings.key[a] == SCANCODE_P;
    if (keys_down[SCANCODE_PAUSE] || (keys_down[SCANCODE_P] && !p_bound)) press_pause(snap);
    const bool in_play = pad.context == PAD_CONTEXT_PLAY || pad.context == PAD_CONTEXT_PLAY_PAUSES;
    if (!in_play && (held(bindings.button[ACTION_CONFIRM]) || held(bindings.button[ACTION_SWORD]))) {
        press(snap, pad.context == PAD_CONTEXT_MAP ? ACTION_NEXT : ACTION_CONFIRM);
    }
    // The left stick walks like the d-pad.
    if (pad.stick_x <= -STICK_DEAD_ZONE) press(snap, ACTION_LEFT);
    if (pad.stick_x >= STICK_DEAD_ZONE) press(snap, ACTION_RIGHT);
    if (pad.stick_y <= -STICK_DEAD_ZONE) press(snap, ACTION_UP);
    if (pad.stick_y >= STICK_DEAD_ZONE) press(snap, ACTION_DOWN);
    return snap;
}

const Bindings& current_bindings() { return bindings_in_force; }
void set_bindings(const Bindings& bindings) { bindings_in_force = bindings; }

PadState& pad_state() { return pad_in_force; }
void set_pad_context(int context) { pad_set_context(pad_in_force, context); }

bool take_raw_press(RawPress& press) {
    if (!raw_press_waiting) return false;
    press = raw_press;
    raw_press_waiting = false;
    return true;
}

void forget_raw_presses() { raw_press_waiting = false; }

void put_raw_press(const RawPress& press) {
    if (raw_press_waiting) return;  // the first press since the question counts
    raw_press = press;
    raw_press_waiting = true;
}

}  // namespace platform
