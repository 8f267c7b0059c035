// Start-up and dispatch of the platform layer to the window or the headless backend.
#include "platform/platform.h"

#include "platform/audio.h"
#include "platform/backend.h"
#include "platform/keyboard.h"
#include "platform/text.h"

namespace platform {
namespace {
Config current_config;
bool quit_requested = false;
bool started = false;
}  // namespace

const Config& config() { return current_config; }
bool is_headless() { return current_config.backend == Backend::Headless; }

bool init(const Config& cfg) {
    current_config = cfg;
    quit_requested = false;
    clear_keyboard_snapshot();
    bool ok = is_headless() ? headless_backend::init(cfg) : window_backend::init(cfg);
    if (!ok) return false;
    text_init();
    audio_open(!is_headless() && !cfg.mute);
    started = true;
    return true;
}

void shutdown() {
    if (!started) return;
    audio_close();
    text_shutdown();
    if (is_headless())
        headless_backend::shutdown();
    else
        window_backend::shutdown();
    started = false;
}

bool pump_events() {
    if (!is_headless() && !window_backend::pump_events()) quit_requested = true;
    return !quit_requested;
}

void post_quit() { quit_requested = true; }

uint32_t tick_count() { return is_headless() ? headless_backend::tick_count() : window_backend::tick_count(); }

void sleep_ms(uint32_t ms) {
    if (is_headless())
        headless_backend::sleep_ms(ms);
    else
        window_backend::sleep_ms(ms);
}

void set_window_icon(const Surface& picture, const PaletteEntry palette[256]) {
    if (!is_headless()) window_backend::set_icon(picture, palette);
}

void present(const Surface& frame, const PaletteEntry palette[256]) {
    if (is_headless())
        headless_backend::present(frame, palette);
    else
        window_backend::present(frame, palette);
}

}  // namespace platform
