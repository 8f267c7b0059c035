// The two backends behind platform.h; platform.cpp switches between them.
#pragma once
#include <string>

#include "platform/config.h"
#include "platform/surface.h"

namespace platform::window_backend {
bool init(const Config& config);
void shutdown();
bool pump_events();
uint32_t tick_count();
void sleep_ms(uint32_t ms);
void sleep_until(uint32_t tick);
void present(const Surface& frame, const PaletteEntry palette[256]);
void set_icon(const Surface& picture, const PaletteEntry palette[256]);
bool focused();
void set_fullscreen(bool on);
bool is_fullscreen();
void set_scale(int scale);
void set_screenshot_folder(const std::string& folder);
void user_files_written();
// The scancode of the key that types this lower-case letter on the player's layout, or -1.
int layout_scancode(char letter);
// The layout's name of the key, or null.
const char* key_name(int scancode);
}  // namespace platform::window_backend

namespace platform::headless_backend {
bool init(const Config& config);
void shutdown();
uint32_t tick_count();
void sleep_ms(uint32_t ms);
void sleep_until(uint32_t tick);
void present(const Surface& frame, const PaletteEntry palette[256]);
}  // namespace platform::headless_backend
