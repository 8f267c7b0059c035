// The browser's controls: the keyboard by key place, the page's touch controls and gamepads
// through the Gamepad API, turned into the one per-frame key snapshot the game reads.
#pragma once
#include "platform/keyboard.h"

namespace platform::web_input {

// Starts listening to the page's keys (and forgets everything held).
void init();
void shutdown();
// This frame's snapshot through the bindings in force: keys held or tapped since the last frame,
// touch controls (which press actions) and the pads, read now.
KeyboardSnapshot frame_snapshot();
// False while the page has lost the focus; the snapshot after the loss holds the pause key.
bool focused();
// The scancode of the key that types this lower-case letter on the player's layout, or -1
// when the browser does not tell the layout.
int layout_scancode(char letter);
// The layout's name of a letter or digit key ("Q" for the a-key of an AZERTY board), or null.
const char* key_name(int scancode);

}  // namespace platform::web_input
