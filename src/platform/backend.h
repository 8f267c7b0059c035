// The two backends behind platform.h; platform.cpp switches between them.
#pragma once
#include "platform/platform.h"

namespace platform::window_backend {
bool init(const Config& config);
void shutdown();
bool pump_events();
uint32_t tick_count();
void sleep_ms(uint32_t ms);
void present(const Surface& frame, const PaletteEntry palette[256]);
void set_icon(const Surface& picture, const PaletteEntry palette[256]);
}  // namespace platform::window_backend

namespace platform::headless_backend {
bool init(const Config& config);
void shutdown();
uint32_t tick_count();
void sleep_ms(uint32_t ms);
void present(const Surface& frame, const PaletteEntry palette[256]);
}  // namespace platform::headless_backend
