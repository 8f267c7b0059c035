// SDL events into the controls: taps, gamepads added, removed, pressed and tilted, focus.
#include "platform/sdl/sdl_input.h"

#include <cstdio>

#include "platform/bindings.h"
#include "platform/input_names.h"

namespace platform::sdl_input {
namespace {

// Our button numbers are the controller layer's.
constexpr bool same_button(SDL_GameControllerButton sdl, PadButton ours) { return static_cast<int>(sdl) == static_cast<int>(ours); }
static_assert(same_button(SDL_CONTROLLER_BUTTON_A, PAD_SOUTH) && same_button(SDL_CONTROLLER_BUTTON_B, PAD_EAST) &&
              same_button(SDL_CONTROLLER_BUTTON_X, PAD_WEST) && same_button(SDL_CONTROLLER_BUTTON_Y, PAD_NORTH) &&
              same_button(SDL_CONTROLLER_BUTTON_BACK, PAD_BACK) && same_button(SDL_CONTROLLER_BUTTON_START, PAD_START) &&
              same_button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PAD_DPAD_RIGHT));
static_assert(SDL_SCANCODE_RETURN == SCANCODE_RETURN && SDL_SCANCODE_UP == SCANCODE_UP &&
              SDL_SCANCODE_KP_ENTER == SCANCODE_KP_ENTER && SDL_SCANCODE_F12 == SCANCODE_F12 &&
              SDL_NUM_SCANCODES == SCANCODE_COUNT);

constexpr int PAD_MAX = 8;

struct OpenPad {
    SDL_GameController* controller;
    SDL_JoystickID id;
};

OpenPad pads[PAD_MAX];
bool started = false;
bool has_focus = true;
bool focus_just_lost = false;  // the next snapshot holds the pause key
bool hide_enter = false;
// Keys pressed since the last frame: a tap that begins and ends between two frames is
// still seen down for one frame instead of being lost.
bool tapped[SCANCODE_COUNT];

void open_pad(int device_index) {
    if (!SDL_IsGameController(device_index)) return;
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(device_index);
    for (const OpenPad& p : pads)
        if (p.controller && p.id == id) return;
    for (OpenPad& p : pads)
        if (!p.controller) {
            p.controller = SDL_GameControllerOpen(device_index);
            if (!p.controller) return;
            p.id = id;
            std::fprintf(stderr, "quillmoor: gamepad connected: %s\n", SDL_GameControllerName(p.controller));
            return;
        }
}

// A pad pulled out mid-press must not leave its buttons held.
void close_pad(SDL_JoystickID id) {
    for (OpenPad& p : pads)
        if (p.controller && p.id == id) {
            SDL_GameControllerClose(p.controller);
            p.controller = nullptr;
            std::fprintf(stderr, "quillmoor: gamepad removed\n");
        }
    PadState& pad = pad_state();
    for (int b = 0; b < PAD_BUTTON_COUNT; ++b) pad_press(pad, b, false);
    pad.stick_x = pad.stick_y = 0;
}

}  // namespace

bool init() {
    has_focus = true;
    focus_just_lost = false;
    hide_enter = false;
    for (bool& t : tapped) t = false;
    pad_state() = PadState{};
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "quillmoor: no gamepad support (%s); keyboard only\n", SDL_GetError());
        return false;
    }
    started = true;
    // Pads already plugged in arrive as "added" events too.
    return true;
}

void shutdown() {
    for (OpenPad& p : pads)
        if (p.controller) SDL_GameControllerClose(p.controller);
    for (OpenPad& p : pads) p = OpenPad{};
    if (started) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    started = false;
}

void handle_event(const SDL_Event& e) {
    switch (e.type) {
        case SDL_KEYDOWN:
            if (e.key.keysym.scancode < SCANCODE_COUNT) tapped[e.key.keysym.scancode] = true;
            if (!e.key.repeat) put_raw_press(RawPress{static_cast<int>(e.key.keysym.scancode), UNBOUND});
            break;
        case SDL_CONTROLLERDEVICEADDED:
            open_pad(e.cdevice.which);
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            close_pad(e.cdevice.which);
            break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: {
            const bool down = e.type == SDL_CONTROLLERBUTTONDOWN;
            pad_press(pad_state(), e.cbutton.button, down);
            if (down && e.cbutton.button < PAD_BUTTON_COUNT) put_raw_press(RawPress{UNBOUND, e.cbutton.button});
            break;
        }
        case SDL_CONTROLLERAXISMOTION:
            if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) pad_state().stick_x = e.caxis.value;
            if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) pad_state().stick_y = e.caxis.value;
            break;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                has_focus = false;
                focus_just_lost = true;
            }
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) has_focus = true;
            break;
        default:
            break;
    }
}

void refresh_snapshot(const Uint8* keys_held) {
    bool down[SCANCODE_COUNT];
    for (int k = 0; k < SCANCODE_COUNT; ++k) {
        down[k] = (keys_held && keys_held[k]) || tapped[k];
        tapped[k] = false;
    }
    KeyboardSnapshot snap = snapshot_from_controls(current_bindings(), down, pad_state());
    // The focus going away reaches the game as the pause key, in the one snapshot a recording keeps.
    if (focus_just_lost) press_pause(snap);
    focus_just_lost = false;
    if (hide_enter) {
        snap.virtual_down[VK_RETURN] = false;
        snap.scan_state[0x1C] = 0;
        // Enter stays hidden for the frame it was seen in, and after that until it is released.
        if (!down[SCANCODE_RETURN] && !down[SCANCODE_KP_ENTER]) hide_enter = false;
    }
    set_keyboard_snapshot(snap);
}

void hide_enter_until_released() { hide_enter = true; }

bool focused() { return has_focus; }

int open_pad_count() {
    int n = 0;
    for (const OpenPad& p : pads) n += p.controller != nullptr;
    return n;
}

}  // namespace platform::sdl_input
