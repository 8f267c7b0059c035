// The browser's controls: key events by their place on the board (KeyboardEvent.code, the same
// places the desktop's scancodes name, so the player's bindings mean the same keys), the page's
// touch controls and the Gamepad API's pads, all read into the one snapshot a frame.
#include "platform/web/web_input.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstring>

#include "platform/bindings.h"
#include "platform/input_names.h"
#include "platform/web/web_audio_unlock.h"

namespace platform::web_input {
namespace {

struct KeyCode {
    const char* code;  // KeyboardEvent.code
    int scancode;  // the USB usage number, as the desktop's scancodes
};

constexpr int SCANCODE_F11 = 68;

// Every key the settings can name, and F11.
const KeyCode KEY_CODES[] = {
    {"KeyA", 4},          {"KeyB", 5},           {"KeyC", 6},           {"KeyD", 7},           {"KeyE", 8},
    {"KeyF", 9},          {"KeyG", 10},          {"KeyH", 11},          {"KeyI", 12},          {"KeyJ", 13},
    {"KeyK", 14},         {"KeyL", 15},          {"KeyM", 16},          {"KeyN", 17},          {"KeyO", 18},
    {"KeyP", 19},         {"KeyQ", 20},          {"KeyR", 21},          {"KeyS", 22},          {"KeyT", 23},
    {"KeyU", 24},         {"KeyV", 25},          {"KeyW", 26},          {"KeyX", 27},          {"KeyY", 28},
    {"KeyZ", 29},         {"Digit1", 30},        {"Digit2", 31},        {"Digit3", 32},        {"Digit4", 33},
    {"Digit5", 34},       {"Digit6", 35},        {"Digit7", 36},        {"Digit8", 37},        {"Digit9", 38},
    {"Digit0", 39},       {"Enter", 40},         {"Escape", 41},        {"Backspace", 42},     {"Tab", 43},
    {"Space", 44},        {"Minus", 45},         {"Equal", 46},         {"BracketLeft", 47},   {"BracketRight", 48},
    {"Backslash", 49},    {"Semicolon", 51},     {"Quote", 52},         {"Backquote", 53},     {"Comma", 54},
    {"Period", 55},       {"Slash", 56},         {"CapsLock", 57},      {"F11", SCANCODE_F11}, {"Insert", 73},
    {"Home", 74},         {"PageUp", 75},        {"Delete", 76},        {"End", 77},           {"PageDown", 78},
    {"ArrowRight", 79},   {"ArrowLeft", 80},     {"ArrowDown", 81},     {"ArrowUp", 82},       {"NumpadDivide", 84},
    {"NumpadMultiply", 85}, {"NumpadSubtract", 86}, {"NumpadAdd", 87},  {"NumpadEnter", 88},   {"Numpad1", 89},
    {"Numpad2", 90},      {"Numpad3", 91},       {"Numpad4", 92},       {"Numpad5", 93},       {"Numpad6", 94},
    {"Numpad7", 95},      {"Numpad8", 96},       {"Numpad9", 97},       {"Numpad0", 98},       {"NumpadDecimal", 99},
    {"Pause", 72},        {"IntlBackslash", 100}, {"ControlLeft", 224}, {"ShiftLeft", 225},   {"AltLeft", 226},      {"ControlRight", 228},
    {"ShiftRight", 229},  {"AltRight", 230},
};

// The standard Gamepad API layout's button numbers, as our PadButton numbers (-1: no such
// button here, the analogue triggers).
constexpr int STANDARD_BUTTONS[] = {PAD_SOUTH,         PAD_EAST,           PAD_WEST,      PAD_NORTH,      PAD_LEFT_SHOULDER,
                                    PAD_RIGHT_SHOULDER, -1,                -1,            PAD_BACK,       PAD_START,
                                    PAD_LEFT_STICK,    PAD_RIGHT_STICK,    PAD_DPAD_UP,   PAD_DPAD_DOWN,  PAD_DPAD_LEFT,
                                    PAD_DPAD_RIGHT,    PAD_GUIDE};
constexpr int STANDARD_BUTTON_COUNT = sizeof STANDARD_BUTTONS / sizeof STANDARD_BUTTONS[0];

bool held[SCANCODE_COUNT];
// Keys pressed since the last frame: a tap that begins and ends between two frames is
// still seen down for one frame instead of being lost.
bool tapped[SCANCODE_COUNT];
int pad_buttons_before = 0;  // PadButton bits
bool pad_in_use = false;
bool has_focus = true;
bool focus_just_lost = false;  // the next snapshot holds the pause key
// The layout's letter or digit on each key, upper case ("Q"), empty when the browser keeps it.
char layout_names[SCANCODE_COUNT][2];

int scancode_of(const char* code) {
    for (const KeyCode& k : KEY_CODES)
        if (std::strcmp(k.code, code) == 0) return k.scancode;
    return -1;
}

// What the layout types on a key, from the map the page asked the browser for at start-up
// (navigator.keyboard.getLayoutMap), or 0.
EM_JS(int, js_layout_char, (const char* code), {
    const map = Module['qmLayout'];
    const typed = map ? map.get(UTF8ToString(code)) : undefined;
    return typed && typed.length === 1 ? typed.charCodeAt(0) : 0;
});

EM_JS(void, js_toggle_fullscreen, (), {
    if (Module['qmToggleFullscreen']) Module['qmToggleFullscreen']();
});

EM_JS(void, js_input_used, (const char* kind), {
    if (Module['qmInputUsed']) Module['qmInputUsed'](UTF8ToString(kind));
});

// The page's touch controls keep the actions their fingers hold, and those tapped since the
// last frame, as bits by action.
EM_JS(int, js_take_touch, (), {
    const t = Module['qmTouch'];
    if (!t) return 0;
    const bits = t.held | t.tapped;
    t.tapped = 0;
    return bits;
});

// Every connected pad's buttons as PadButton bits, and the left stick tilted furthest, as
// -32767..32767 into stick[0] and stick[1].
EM_JS(int, js_read_pads, (const int* standard, int standard_count, int* stick), {
    const pads = navigator.getGamepads ? navigator.getGamepads() : [];
    let bits = 0, x = 0, y = 0;
    for (const pad of pads) {
        if (!pad || !pad.connected) continue;
        for (let i = 0; i < pad.buttons.length && i < standard_count; ++i) {
            const ours = HEAP32[(standard >> 2) + i];
            if (ours >= 0 && pad.buttons[i].pressed) bits |= 1 << ours;
        }
        if (pad.axes.length >= 2) {
            if (Math.abs(pad.axes[0]) > Math.abs(x)) x = pad.axes[0];
            if (Math.abs(pad.axes[1]) > Math.abs(y)) y = pad.axes[1];
        }
    }
    HEAP32[stick >> 2] = Math.round(x * 32767);
    HEAP32[(stick >> 2) + 1] = Math.round(y * 32767);
    return bits;
});

// A key the game reads keeps its default action from the page only when no modifier is held,
// so the browser's own shortcuts (Ctrl+R, F5, Alt+Left) still work. Tab is the options key:
// it must not walk the page's focus away.
bool swallow(const EmscriptenKeyboardEvent& e, int scancode) {
    if (e.ctrlKey || e.metaKey || e.altKey) return false;
    if (scancode == SCANCODE_TAB || scancode == SCANCODE_SPACE || (scancode >= SCANCODE_RIGHT && scancode <= SCANCODE_UP)) return true;
    const Bindings& b = current_bindings();
    for (int a = 0; a < ACTION_COUNT; ++a)
        if (b.key[a] == scancode) return true;
    return false;
}

EM_BOOL on_key_down(int, const EmscriptenKeyboardEvent* e, void*) {
    // Browsers start sound only from inside a user's gesture; the first key is that gesture.
    web_audio_unlock();
    const int scancode = scancode_of(e->code);
    // Alt+Enter and F11 switch full screen, as on the desktop, and are no game key.
    if ((e->altKey && (scancode == SCANCODE_RETURN || scancode == SCANCODE_KP_ENTER)) || scancode == SCANCODE_F11) {
        if (!e->repeat) js_toggle_fullscreen();
        return EM_TRUE;
    }
    if (scancode < 0) return EM_FALSE;
    held[scancode] = true;
    tapped[scancode] = true;
    if (!e->repeat) put_raw_press(RawPress{scancode, UNBOUND});
    return swallow(*e, scancode);
}

EM_BOOL on_key_up(int, const EmscriptenKeyboardEvent* e, void*) {
    const int scancode = scancode_of(e->code);
    if (scancode < 0) return EM_FALSE;
    held[scancode] = false;
    return swallow(*e, scancode);
}

// A key held while the page loses focus never sends its release.
// Losing it also pauses enhanced play, through the pause key of the next snapshot.
EM_BOOL on_blur(int, const EmscriptenFocusEvent*, void*) {
    for (bool& h : held) h = false;
    has_focus = false;
    focus_just_lost = true;
    return EM_FALSE;
}

EM_BOOL on_focus(int, const EmscriptenFocusEvent*, void*) {
    has_focus = true;
    return EM_FALSE;
}

void read_layout() {
    std::memset(layout_names, 0, sizeof layout_names);
    for (const KeyCode& k : KEY_CODES) {
        if (std::strncmp(k.code, "Key", 3) != 0 && std::strncmp(k.code, "Digit", 5) != 0) continue;
        const int typed = js_layout_char(k.code);
        if (typed >= 'a' && typed <= 'z') layout_names[k.scancode][0] = static_cast<char>(typed - 'a' + 'A');
        else if (typed > ' ' && typed < 127) layout_names[k.scancode][0] = static_cast<char>(typed);
    }
}

// The pads' buttons into the pad state, each new press also a raw press for the options screen.
void read_pads() {
    int stick[2] = {0, 0};
    const int buttons = js_read_pads(STANDARD_BUTTONS, STANDARD_BUTTON_COUNT, stick);
    PadState& pad = pad_state();
    for (int b = 0; b < PAD_BUTTON_COUNT; ++b) {
        const bool down = (buttons >> b) & 1, was = (pad_buttons_before >> b) & 1;
        if (down == was) continue;
        pad_press(pad, b, down);
        if (down) put_raw_press(RawPress{UNBOUND, b});
    }
    pad_buttons_before = buttons;
    pad.stick_x = stick[0];
    pad.stick_y = stick[1];
    const bool active = buttons != 0 || stick[0] <= -STICK_DEAD_ZONE || stick[0] >= STICK_DEAD_ZONE ||
                        stick[1] <= -STICK_DEAD_ZONE || stick[1] >= STICK_DEAD_ZONE;
    // The page names the pad's controls once the pad is used.
    if (active && !pad_in_use) js_input_used("pad");
    pad_in_use = active;
}

}  // namespace

void init() {
    std::memset(held, 0, sizeof held);
    std::memset(tapped, 0, sizeof tapped);
    pad_buttons_before = 0;
    pad_in_use = false;
    has_focus = true;
    focus_just_lost = false;
    read_layout();
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, on_key_down);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, on_key_up);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, on_blur);
    emscripten_set_focus_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, on_focus);
}

void shutdown() {
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
    emscripten_set_focus_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
}

KeyboardSnapshot frame_snapshot() {
    bool down[SCANCODE_COUNT];
    for (int k = 0; k < SCANCODE_COUNT; ++k) {
        down[k] = held[k] || tapped[k];
        tapped[k] = false;
    }
    read_pads();
    KeyboardSnapshot snap = snapshot_from_controls(current_bindings(), down, pad_state());
    const int touched = js_take_touch();
    for (int a = 0; a < ACTION_COUNT; ++a)
        if ((touched >> a) & 1) press_action(snap, a);
    if (focus_just_lost) press_pause(snap);
    focus_just_lost = false;
    return snap;
}

bool focused() { return has_focus; }

int layout_scancode(char letter) {
    if (letter < 'a' || letter > 'z') return -1;
    for (const KeyCode& k : KEY_CODES)
        if (layout_names[k.scancode][0] == letter - 'a' + 'A') return k.scancode;
    return -1;
}

const char* key_name(int scancode) {
    if (scancode < 0 || scancode >= SCANCODE_COUNT || !layout_names[scancode][0]) return nullptr;
    return layout_names[scancode];
}

}  // namespace platform::web_input
