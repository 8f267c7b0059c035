// The window backend's input: keyboard, gamepads (with hot-plugging) and window focus,
// taken from SDL events into the keyboard snapshot. Platform and tests only.
#pragma once
#include <SDL.h>

namespace platform::sdl_input {

// Opens the game-controller layer; false when there is none (keyboard only then).
bool init();
void shutdown();
// One event: key presses, pads added or removed, buttons and sticks, focus.
void handle_event(const SDL_Event& event);
// Builds this frame's snapshot from the keys and pads held and the bindings.
void refresh_snapshot(const Uint8* keys_held);
// Enter stays hidden from the game until released (after Alt+Enter).
void hide_enter_until_released();
bool focused();
// Pads open now.
int open_pad_count();

}  // namespace platform::sdl_input
