// The browser backend for the window: the 8-bit frame drawn into a 640 x 480 <canvas>, the
// controls read once a frame (web_input.cpp), full screen through the page, the player's files
// copied to the browser's storage, and a game clock that moves a frame's length (30 ms) a frame.
#include <emscripten.h>

#include <vector>

#include "platform/backend.h"
#include "platform/keyboard.h"
#include "platform/web/web_input.h"

namespace platform::window_backend {
namespace {

constexpr int FRAME_W = 640, FRAME_H = 480;

uint32_t game_ms = 0;
std::vector<uint32_t> rgba;  // the frame through the palette, bytes R, G, B, A

EM_JS(void, put_canvas_pixels, (const uint8_t* rgba_bytes, int width, int height), {
    const canvas = Module['canvas'];
    if (!canvas) return;
    if (!Module.qmContext) Module.qmContext = canvas.getContext('2d', {alpha: false});
    const pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba_bytes, width * height * 4);
    Module.qmContext.putImageData(new ImageData(pixels, width, height), 0, 0);
    // When each picture was shown, for the page's measurements of start-up and pacing.
    const times = Module['qmFrameTimes'];
    if (times && times.length < 2000) times.push(performance.now());
    if (times && times.length === 1) (Module['qmOnFirstPicture'] || []).forEach((then) => then());
});

EM_JS(void, js_set_fullscreen, (int on), {
    if (Module['qmSetFullscreen']) Module['qmSetFullscreen'](on !== 0);
});

EM_JS(int, js_is_fullscreen, (), { return Module['qmIsFullscreen'] && Module['qmIsFullscreen']() ? 1 : 0; });

// The profile folder is IndexedDB's copy in memory; this writes it back. One copy runs at a
// time; a write meanwhile asks for one more when it ends.
EM_JS(void, js_sync_user_files, (), {
    const sync = Module['qmSync'] || (Module['qmSync'] = {busy: false, again: false, done: 0});
    if (sync.busy) {
        sync.again = true;
        return;
    }
    const run = () => {
        sync.busy = true;
        FS.syncfs(false, (error) => {
            sync.busy = false;
            if (error) console.warn('quillmoor: the browser did not keep the saved files: ' + error);
            else ++sync.done;
            if (sync.again) {
                sync.again = false;
                run();
            }
        });
    };
    run();
});

}  // namespace

bool init(const Config&) {
    game_ms = 0;
    rgba.assign(FRAME_W * FRAME_H, 0xFF000000u);
    web_input::init();
    return true;
}

void shutdown() { web_input::shutdown(); }

bool pump_events() {
    set_keyboard_snapshot(web_input::frame_snapshot());
    return true;
}

// The page calls one frame at a time when its length of real time has passed, so the game's own
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

// The page owns scaling (the picture fills what the page has); full screen is the page's,
// asked for while the key that chose it still counts as the player's gesture.
bool focused() { return web_input::focused(); }
void set_fullscreen(bool on) { js_set_fullscreen(on ? 1 : 0); }
bool is_fullscreen() { return js_is_fullscreen() != 0; }
void set_scale(int) {}
void set_screenshot_folder(const std::string&) {}
void user_files_written() { js_sync_user_files(); }
int layout_scancode(char letter) { return web_input::layout_scancode(letter); }
const char* key_name(int scancode) { return web_input::key_name(scancode); }

}  // namespace platform::window_backend
