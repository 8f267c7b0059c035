// The player's controls: which key and which gamepad button does each action, and how the
// keys and pad held in a frame become the one keyboard snapshot the game reads.
#pragma once
#include <cstdint>

#include "platform/input_names.h"
#include "platform/keyboard.h"

namespace platform {

enum Action : int {
    ACTION_UP = 0,
    ACTION_DOWN,
    ACTION_LEFT,
    ACTION_RIGHT,
    ACTION_SWORD,
    ACTION_BOW,
    ACTION_NEXT,  // next speech line, set out from the map (Space)
    ACTION_CONFIRM,  // the title's choice (Enter)
    ACTION_BACK,  // back to the title (Escape)
    ACTION_OPTIONS,  // the options screen, from the title
    ACTION_COUNT,
};

constexpr int UNBOUND = -1;

struct Bindings {
    int key[ACTION_COUNT];  // scancode, or UNBOUND
    int button[ACTION_COUNT];  // PadButton, or UNBOUND
};

// The settings file's name of an action ("sword"), and the name shown to the player.
const char* action_file_name(int action);
const char* action_title(int action);

// Arrow keys, Space, Enter, Escape, Tab and the given keys for sword and bow (the keys
// that print "a" and "z" on the player's layout); d-pad, South sword, West bow, East next
// line, Start confirm (and back during play), Back back, North options.
Bindings default_bindings(int sword_scancode, int bow_scancode);
// Binds the key to the action; an action that had the key takes the action's old key, so
// no key is ever bound twice. Likewise for buttons.
void bind_key(Bindings& bindings, int action, int scancode);
void bind_button(Bindings& bindings, int action, int button);

// What the game's screen wants of the pad: in play, the confirm button goes back to the
// title (in enhanced play it pauses); elsewhere South and the confirm button also answer
// Enter and Space.
enum PadContext : int { PAD_CONTEXT_MENU = 0, PAD_CONTEXT_PLAY = 1, PAD_CONTEXT_MAP = 2, PAD_CONTEXT_PLAY_PAUSES = 3 };

constexpr int STICK_DEAD_ZONE = 12000;  // of 32767

// The pads' state as their events left it. A button held when the screen changes is
// ignored until it is released, so one press never acts on two screens.
struct PadState {
    bool down[PAD_BUTTON_COUNT] = {};
    bool held_over[PAD_BUTTON_COUNT] = {};
    int stick_x = 0, stick_y = 0;  // left stick, -32768..32767, y down
    int context = PAD_CONTEXT_MENU;
};

void pad_press(PadState& pad, int button, bool down);
void pad_set_context(PadState& pad, int context);

// The snapshot of one frame: every action whose key (by scancode) or button is down sets
// its game key; Pause, and P while no action has it, set the pause key. `keys_down` has
// SCANCODE_COUNT entries.
KeyboardSnapshot snapshot_from_controls(const Bindings& bindings, const bool* keys_down, const PadState& pad);
// Sets the action's game key in the snapshot, whatever key or button is bound to it (the
// browser's touch controls press actions, not keys).
void press_action(KeyboardSnapshot& snap, int action);
// Sets the pause key: a pause key pressed, or the window losing the focus.
void press_pause(KeyboardSnapshot& snap);

// The bindings in force in the window; the options screen and settings change them.
const Bindings& current_bindings();
void set_bindings(const Bindings& bindings);
// The defaults for this keyboard layout (headless: the keys of a US board).
Bindings layout_default_bindings();

}  // namespace platform

namespace platform {

// The window's answers about raw presses, for the options screen's "press a new key":
// the first key or button pressed since the last call to forget_raw_presses. Headless
// runs have none unless a test puts one there.
struct RawPress {
    int scancode = UNBOUND;
    int button = UNBOUND;
};
bool take_raw_press(RawPress& press);
void forget_raw_presses();
void put_raw_press(const RawPress& press);

// The name a key has on the player's layout ("Q" for the a-key of an AZERTY board).
const char* key_display_name(int scancode);

// The pads' state in force; the window backend feeds it from controller events.
PadState& pad_state();
// Tells the pad what the game's screen is (PadContext).
void set_pad_context(int context);

}  // namespace platform
