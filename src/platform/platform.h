// Start-up of the platform layer, the one message pump, the millisecond clock and the
// presentation of finished 8-bit frames. Two backends: a real window (SDL) and headless.
#pragma once
#include <cstdint>
#include <string>

#include "platform/config.h"
#include "platform/surface.h"

namespace platform {

// Opens the window (or nothing, headless), the text renderer and the audio device.
// Returns false when the window cannot be made.
bool init(const Config& config);
// init with the headless backend and no sound, as every run without a window starts: the
// headless runner, the tests, the benchmarks, the soak and the autopilot.
bool init_headless();
void shutdown();
const Config& config();
bool is_headless();

// Handles pending window events and refreshes the keyboard snapshot. Returns false
// once the player has closed the window or the game asked to quit.
bool pump_events();
// Asks the loop to end after this frame (the game's quit message).
void post_quit();

// Milliseconds since start-up; wraps like a 32-bit tick counter. Headless: a virtual clock.
uint32_t tick_count();
// Sleeps about `ms` milliseconds (headless: advances the virtual clock by at least 1).
void sleep_ms(uint32_t ms);
// Returns once tick_count() has reached `tick` (at once when it has already; the counter's wrap
// is allowed for), in one sleep, not a watch of the clock. Headless: moves the virtual clock there.
void sleep_until(uint32_t tick);

// Gives the window an icon: an 8-bit picture through a palette, its colour key transparent.
// Does nothing headless.
void set_window_icon(const Surface& picture, const PaletteEntry palette[256]);

// Tells a player who started the game from a desktop menu, with no terminal to read, why it
// cannot start: a message box with `text`. Does nothing when no display can show one.
void show_error_box(const char* text);

// Shows the frame through the palette, scaled to the window with sharp pixels.
void present(const Surface& frame, const PaletteEntry palette[256]);

// False while the window has lost the focus (headless: always true).
bool window_focused();
// Headless tests stand in for the window's focus events.
void set_window_focused(bool focused);
// Full screen or a window, and the window's scale 1..8; nothing headless.
void set_fullscreen(bool on);
bool is_fullscreen();
void set_window_scale(int scale);
// F12 writes PNG screenshots here (nothing when empty, or headless).
void set_screenshot_folder(const std::string& folder);
// The window backend tells of each F12: the file's name, or null when it could not be written.
// Tests stand in for it headless.
void note_screenshot(const char* file_name);
// Screenshots told of since start-up, and the line for the player about the last one.
int screenshot_count();
const char* screenshot_news();
// A player's file was written or renamed: the browser copies its files to lasting storage
// (on the desktop the write itself lasts; nothing to do).
void user_files_written();

}  // namespace platform
