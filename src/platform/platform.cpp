// Start-up and dispatch of the platform layer to the window or the headless backend.
#include "platform/platform.h"

#include <cstdio>

#include "platform/audio.h"
#include "platform/bindings.h"
#include "platform/input_names.h"
#include "platform/backend.h"
#include "platform/keyboard.h"
#include "platform/text.h"

namespace platform {
namespace {
Config current_config;
bool quit_requested = false;
bool started = false;
bool headless_focus = true;
int screenshots = 0;
char screenshot_line[160] = {};
}  // namespace

const Config& config() { return current_config; }
bool is_headless() { return current_config.backend == Backend::Headless; }

bool init(const Config& cfg) {
    current_config = cfg;
    quit_requested = false;
    headless_focus = true;
    clear_keyboard_snapshot();
    bool ok = is_headless() ? headless_backend::init(cfg) : window_backend::init(cfg);
    if (!ok) return false;
    text_init();
    audio_open(!is_headless() && !cfg.mute);
    started = true;
    return true;
}

bool init_headless() {
    Config headless;
    headless.backend = Backend::Headless;
    headless.mute = true;
    return init(headless);
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

void sleep_until(uint32_t tick) {
    if (is_headless())
        headless_backend::sleep_until(tick);
    else
        window_backend::sleep_until(tick);
}

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

bool window_focused() { return is_headless() || !started ? headless_focus : window_backend::focused(); }
void set_window_focused(bool focused) { headless_focus = focused; }

void set_fullscreen(bool on) {
    if (started && !is_headless()) window_backend::set_fullscreen(on);
}

bool is_fullscreen() { return started && !is_headless() && window_backend::is_fullscreen(); }

void set_window_scale(int scale) {
    if (started && !is_headless()) window_backend::set_scale(scale);
}

void set_screenshot_folder(const std::string& folder) {
    if (started && !is_headless()) window_backend::set_screenshot_folder(folder);
}

void note_screenshot(const char* file_name) {
    ++screenshots;
    if (file_name)
        std::snprintf(screenshot_line, sizeof screenshot_line, "Screenshot saved: %s", file_name);
    else
        std::snprintf(screenshot_line, sizeof screenshot_line, "The screenshot could not be saved.");
}

int screenshot_count() { return screenshots; }
const char* screenshot_news() { return screenshot_line; }

void user_files_written() {
    if (started && !is_headless()) window_backend::user_files_written();
}

Bindings layout_default_bindings() {
    int sword = SCANCODE_A, bow = SCANCODE_Z;
    if (started && !is_headless()) {
        // The keys that print "a" and "z" on this layout; letters a layout lacks stay put.
        const int a = window_backend::layout_scancode('a'), z = window_backend::layout_scancode('z');
        if (a >= 0 && scancode_file_name(a)) sword = a;
        if (z >= 0 && scancode_file_name(z) && z != sword) bow = z;
    }
    return default_bindings(sword, bow);
}

const char* key_display_name(int scancode) {
    if (scancode == UNBOUND) return "none";
    const char* name = started && !is_headless() ? window_backend::key_name(scancode) : nullptr;
    if (!name) name = scancode_file_name(scancode);
    return name ? name : "?";
}

}  // namespace platform
