// The browser backend for the window: the 8-bit frame drawn into a 640 x 480 <canvas>, the
// keyboard snapshot taken from the page's key events, and a game clock that moves 30 ms a frame.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstring>
#include <vector>

#include "platform/backend.h"
#include "platform/keyboard.h"
#include "platform/web/web_audio_unlock.h"

namespace platform::window_backend {
namespace {

constexpr int FRAME_W = 640, FRAME_H = 480;

struct KeyMapping {
    const char* code;  // KeyboardEvent.code
    int virtual_key;
    int scan_code;
    bool game_key;  // the page's default action is held back (arrows would scroll it)
};

// Virtual-key and scan codes of the keys a player may press, as the desktop gives them.
const KeyMapping KEY_MAP[] = {
    {"Enter", 13, 0x1C, true},    {"NumpadEnter", 13, 0x9C, true}, {"Escape", 27, 0x01, true},
    {"Space", 32, 0x39, true},    {"ArrowLeft", 37, 0xCB, true},   {"ArrowUp", 38, 0xC8, true},
    {"ArrowRight", 39, 0xCD, true}, {"ArrowDown", 40, 0xD0, true}, {"Tab", 9, 0x0F, false},
    {"Backspace", 8, 0x0E, false}, {"ShiftLeft", 16, 0x2A, false}, {"ShiftRight", 16, 0x36, false},
    {"ControlLeft", 17, 0x1D, false}, {"ControlRight", 17, 0x9D, false}, {"AltLeft", 18, 0x38, false},
    {"AltRight", 18, 0xB8, false}, {"KeyA", 'A', 0x1E, true},      {"KeyB", 'B', 0x30, false},
    {"KeyC", 'C', 0x2E, false},    {"KeyD", 'D', 0x20, false},     {"KeyE", 'E', 0x12, false},
    {"KeyF", 'F', 0x21, false},    {"KeyG", 'G', 0x22, false},     {"KeyH", 'H', 0x23, false},
    {"KeyI", 'I', 0x17, false},    {"KeyJ", 'J', 0x24, false},     {"KeyK", 'K', 0x25, false},
    {"KeyL", 'L', 0x26, false},    {"KeyM", 'M', 0x32, false},     {"KeyN", 'N', 0x31, false},
    {"KeyO", 'O', 0x18, false},    {"KeyP", 'P', 0x19, false},     {"KeyQ", 'Q', 0x10, false},
    {"KeyR", 'R', 0x13, false},    {"KeyS", 'S', 0x1F, false},     {"KeyT", 'T', 0x14, false},
    {"KeyU", 'U', 0x16, false},    {"KeyV", 'V', 0x2F, false},     {"KeyW", 'W', 0x11, false},
    {"KeyX", 'X', 0x2D, false},    {"KeyY", 'Y', 0x15, false},     {"KeyZ", 'Z', 0x2C, true},
    {"Digit1", '1', 0x02, false},  {"Digit2", '2', 0x03, false},   {"Digit3", '3', 0x04, false},
    {"Digit4", '4', 0x05, false},  {"Digit5", '5', 0x06, false},   {"Digit6", '6', 0x07, false},
    {"Digit7", '7', 0x08, false},  {"Digit8", '8', 0x09, false},   {"Digit9", '9', 0x0A, false},
    {"Digit0", '0', 0x0B, false},
};
constexpr int KEY_COUNT = sizeof KEY_MAP / sizeof KEY_MAP[0];

bool held[KEY_COUNT];
// Keys pressed since the last frame: a tap that begins and ends between two frames is
// still seen down for one frame instead of being lost.
bool tapped[KEY_COUNT];
uint32_t game_ms = 0;
std::vector<uint32_t> rgba;  // the frame through the palette, bytes R, G, B, A

int key_index(const char* code) {
    for (int i = 0; i < KEY_COUNT; ++i)
        if (std::strcmp(KEY_MAP[i].code, code) == 0) return i;
    return -1;
}

// A key the game reads keeps its default action from the page only when no modifier is held,
// so the browser's own shortcuts (Ctrl+R, F5, Alt+Left) still work.
bool swallow(const EmscriptenKeyboardEvent& e, int index) {
    return index >= 0 && KEY_MAP[index].game_key && !e.ctrlKey && !e.metaKey && !e.altKey;
}

EM_BOOL on_key_down(int, const EmscriptenKeyboardEvent* e, void*) {
    // Browsers start sound only from inside a user's gesture; the first key is that gesture.
    web_audio_unlock();
    const int index = key_index(e->code);
    if (index < 0) return EM_FALSE;
    held[index] = true;
    tapped[index] = true;
    return swallow(*e, index);
}

EM_BOOL on_key_up(int, const EmscriptenKeyboardEvent* e, void*) {
    const int index = key_index(e->code);
    if (index < 0) return EM_FALSE;
    held[index] = false;
    return swallow(*e, index);
}

// A key held while the page loses focus never sends its release.
EM_BOOL on_blur(int, const EmscriptenFocusEvent*, void*) {
    for (bool& h : held) h = false;
    return EM_FALSE;
}

EM_JS(void, put_canvas_pixels, (const uint8_t* rgba_bytes, int width, int height), {
    const canvas = Module['canvas'];
    if (!canvas) return;
    if (!Module.qmContext) Module.qmContext = canvas.getContext('2d', {alpha: false});
    const pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba_bytes, width * height * 4);
    Module.qmContext.putImageData(new ImageData(pixels, width, height), 0, 0);
});

}  // namespace

bool init(const Config&) {
    std::memset(held, 0, sizeof held);
    std::memset(tapped, 0, sizeof tapped);
    game_ms = 0;
    rgba.assign(FRAME_W * FRAME_H, 0xFF000000u);
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, on_key_down);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, on_key_up);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, on_blur);
    return true;
}

void shutdown() {
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
}

bool pump_events() {
    KeyboardSnapshot snap{};
    for (int i = 0; i < KEY_COUNT; ++i) {
        const bool down = held[i] || tapped[i];
        tapped[i] = false;
        if (!down) continue;
        snap.virtual_down[KEY_MAP[i].virtual_key] = true;
        snap.scan_state[KEY_MAP[i].scan_code & 0xFF] = KEY_DOWN_BIT;
    }
    set_keyboard_snapshot(snap);
    return true;
}

// The page calls one frame at a time when 30 ms of real time have passed, so the game's own
// wait for its frame only has to move the game clock, never block the page.
uint32_t tick_count() { return game_ms; }

void sleep_ms(uint32_t ms) { game_ms += ms ? ms : 1; }

void sleep_until(uint32_t tick) {
    if (static_cast<int32_t>(tick - game_ms) > 0) game_ms = tick;
}

void present(const Surface& frame, const PaletteEntry palette[256]) {
    if (frame.width != FRAME_W || frame.height != FRAME_H) return;
    uint32_t lookup[256];
    for (int i = 0; i < 256; ++i)
        lookup[i] = 0xFF000000u | (uint32_t(palette[i].blue) << 16) | (uint32_t(palette[i].green) << 8) | palette[i].red;
    for (int y = 0; y < FRAME_H; ++y) {
        const uint8_t* src = &frame.pixels[static_cast<size_t>(y) * frame.pitch];
        uint32_t* dst = &rgba[static_cast<size_t>(y) * FRAME_W];
        for (int x = 0; x < FRAME_W; ++x) dst[x] = lookup[src[x]];
    }
    put_canvas_pixels(reinterpret_cast<const uint8_t*>(rgba.data()), FRAME_W, FRAME_H);
}

// The page has its own icon (quillmoor.html links it); nothing to do here.
void set_icon(const Surface&, const PaletteEntry[256]) {}

// The page owns focus, full screen and scaling; the game's keys are the page's key codes.
bool focused() { return true; }
void set_fullscreen(bool) {}
bool is_fullscreen() { return false; }
void set_scale(int) {}
void set_screenshot_folder(const std::string&) {}
int layout_scancode(char) { return -1; }
const char* key_name(int) { return nullptr; }

}  // namespace platform::window_backend
