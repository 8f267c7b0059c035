// The window backend: an SDL window showing the 8-bit frame scaled with sharp pixels,
// and the keyboard snapshot taken from SDL's key state.
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/backend.h"
#include "platform/platform.h"
#include "platform/frame_changes.h"
#include "platform/frame_convert.h"
#include "platform/keyboard.h"
#include "platform/png_write.h"
#include "platform/sdl/sdl_input.h"

namespace platform::window_backend {
namespace {

constexpr int FRAME_W = 640, FRAME_H = 480;

SDL_Window* window = nullptr;
const std::chrono::steady_clock::time_point clock_origin = std::chrono::steady_clock::now();
std::vector<uint32_t> rgb;  // the frame through the palette, 640 x 480, for odd scales
ShownFrame shown;  // what the window's pixels hold now, to send only the rows that change
std::vector<int> source_column;  // for each window column inside the picture, its frame column
const SDL_Surface* bars_painted_on = nullptr;
int bars_w = 0, bars_h = 0;
bool fullscreen = false;
std::string screenshot_folder;
int window_scale = 2;

void toggle_fullscreen() {
    fullscreen = !fullscreen;
    SDL_SetWindowFullscreen(window, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    sdl_input::hide_enter_until_released();
}

// Writes the frame last presented as a PNG named after the moment, into the screenshot folder.
void save_screenshot() {
    if (screenshot_folder.empty()) return;
    std::error_code ec;
    std::filesystem::create_directories(screenshot_folder, ec);
    const std::time_t now = std::time(nullptr);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", std::localtime(&now));
    std::string path;
    for (int n = 0; n < 100; ++n) {
        char name[64];
        if (n)
            std::snprintf(name, sizeof name, "/quillmoor-%s-%d.png", stamp, n);
        else
            std::snprintf(name, sizeof name, "/quillmoor-%s.png", stamp);
        path = screenshot_folder + name;
        // A link counts as taken, dangling or not: the picture is never written through one.
        if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec))) break;
    }
    if (shown.width != FRAME_W || shown.height != FRAME_H) return;
    // The frame last shown, with its palette: the same 8-bit PNG that --shot writes. The game
    // shows the player a line about it too.
    if (write_png8(path.c_str(), FRAME_W, FRAME_H, shown.pixels.data(), FRAME_W, shown.palette, false)) {
        std::fprintf(stderr, "quillmoor: screenshot saved to %s\n", path.c_str());
        note_screenshot(std::filesystem::path(path).filename().string().c_str());
    } else {
        std::fprintf(stderr, "quillmoor: %s: cannot save the screenshot\n", path.c_str());
        note_screenshot(nullptr);
    }
}

// Largest whole-number scale that fits; a fractional fit only when whole numbers would
// leave most of a small screen empty. Aspect is always kept; the rest is black bars.
SDL_Rect destination_rect(int out_w, int out_h) {
    double fit = std::min(out_w / double(FRAME_W), out_h / double(FRAME_H));
    double scale = std::floor(fit);
    if (scale < 1 || scale < fit * 0.8) scale = fit;
    int w = static_cast<int>(FRAME_W * scale), h = static_cast<int>(FRAME_H * scale);
    return SDL_Rect{(out_w - w) / 2, (out_h - h) / 2, w, h};
}

}  // namespace

bool init(const Config& config) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "quillmoor: cannot start the video system: %s\n", SDL_GetError());
        return false;
    }
    // Frames are scaled on the CPU into the window's pixels; a GL framebuffer behind them
    // would only add a copy (and, without a GPU, a software rasteriser).
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    fullscreen = config.fullscreen;
    int scale = std::clamp(config.scale, 1, 8);
    window_scale = scale;
    Uint32 flags = SDL_WINDOW_RESIZABLE | (fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    window = SDL_CreateWindow("Quillmoor", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, FRAME_W * scale, FRAME_H * scale, flags);
    if (!window) {
        std::fprintf(stderr, "quillmoor: cannot open a window: %s\n", SDL_GetError());
        return false;
    }
    SDL_ShowCursor(SDL_DISABLE);
    sdl_input::init();
    return true;
}

void shutdown() {
    sdl_input::shutdown();
    if (window) SDL_DestroyWindow(window);
    window = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS);
}

// Takes every waiting event, so a held key never lags behind; false once the window closes.
bool pump_events() {
    bool open = true;
    SDL_Event e;
    // One pump a frame; each SDL_PollEvent would ask the display server again.
    SDL_PumpEvents();
    while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
        if (e.type == SDL_QUIT) open = false;
        sdl_input::handle_event(e);
        // Shown, uncovered, resized or moved between screens: the window's pixels may be gone.
        if (e.type == SDL_WINDOWEVENT) forget_shown_frame(shown);
        if (e.type == SDL_KEYDOWN && !e.key.repeat && e.key.keysym.scancode == SDL_SCANCODE_F12) save_screenshot();
        if (e.type == SDL_KEYDOWN && !e.key.repeat && (e.key.keysym.mod & KMOD_ALT) &&
            (e.key.keysym.scancode == SDL_SCANCODE_RETURN || e.key.keysym.scancode == SDL_SCANCODE_KP_ENTER))
            toggle_fullscreen();
    }
    sdl_input::refresh_snapshot(SDL_GetKeyboardState(nullptr));
    return open;
}

bool focused() { return sdl_input::focused(); }

void set_fullscreen(bool on) {
    if (on != fullscreen) toggle_fullscreen();
}

bool is_fullscreen() { return fullscreen; }

void set_scale(int scale) {
    window_scale = std::clamp(scale, 1, 8);
    if (window && !fullscreen) SDL_SetWindowSize(window, FRAME_W * window_scale, FRAME_H * window_scale);
}

void set_screenshot_folder(const std::string& folder) { screenshot_folder = folder; }

// The write's own fsync and rename make it last.
void user_files_written() {}

int layout_scancode(char letter) {
    const SDL_Scancode sc = SDL_GetScancodeFromKey(static_cast<SDL_Keycode>(letter));
    return sc == SDL_SCANCODE_UNKNOWN ? -1 : static_cast<int>(sc);
}

const char* key_name(int scancode) {
    const char* name = SDL_GetKeyName(SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(scancode)));
    return name && *name ? name : nullptr;
}

void set_icon(const Surface& picture, const PaletteEntry palette[256]) {
    if (!window || picture.width <= 0 || picture.height <= 0) return;
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormat(0, picture.width, picture.height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!icon) return;
    for (int y = 0; y < picture.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(icon->pixels) + static_cast<size_t>(y) * icon->pitch);
        for (int x = 0; x < picture.width; ++x) {
            const uint8_t v = picture.pixels[static_cast<size_t>(y) * picture.pitch + x];
            const PaletteEntry& c = palette[v];
            const uint32_t alpha = (picture.has_color_key && v == picture.color_key) ? 0u : 0xFF000000u;
            row[x] = alpha | uint32_t(c.red) << 16 | uint32_t(c.green) << 8 | c.blue;
        }
    }
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}

// The clock counts whole milliseconds from the window's start on the monotonic clock, so the
// moment a tick begins is known to the nanosecond and a wait for it is a single sleep.
uint32_t tick_count() { return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - clock_origin).count()); }

void sleep_ms(uint32_t ms) { SDL_Delay(ms); }

void sleep_until(uint32_t tick) {
    const auto now = std::chrono::steady_clock::now();
    const int64_t now_ms = std::chrono::duration_cast<std::chrono::milliseconds>(now - clock_origin).count();
    const int32_t ahead = static_cast<int32_t>(tick - static_cast<uint32_t>(now_ms));
    if (ahead > 0) std::this_thread::sleep_until(clock_origin + std::chrono::milliseconds(now_ms + ahead));
}

// The frame is converted and scaled on the CPU straight into the window's own pixels, in one
// pass: at a whole-number scale each frame pixel becomes a square block (a row written once,
// then repeated). Only the rows that changed since the last frame are converted and sent on;
// a walking frame changes a tenth of them, a scrolling one all. Other scales, which only a
// small screen needs, go through a converted frame and a column table every time. No GPU or
// GL driver is needed.
void present(const Surface& frame, const PaletteEntry palette[256]) {
    if (!window || frame.width != FRAME_W || frame.height != FRAME_H) return;
    SDL_Surface* out = SDL_GetWindowSurface(window);
    if (!out || out->format->BytesPerPixel != 4) return;
    const SDL_Rect dst = destination_rect(out->w, out->h);
    if (dst.w <= 0 || dst.h <= 0) return;
    // The palette in the window's own pixel format.
    uint32_t lookup[256];
    if (out->format->format == SDL_PIXELFORMAT_ARGB8888 || out->format->format == SDL_PIXELFORMAT_RGB888)
        argb_lookup(palette, lookup);
    else
        for (int i = 0; i < 256; ++i) lookup[i] = SDL_MapRGB(out->format, palette[i].red, palette[i].green, palette[i].blue);
    if (SDL_MUSTLOCK(out)) SDL_LockSurface(out);
    auto* pixels = static_cast<uint8_t*>(out->pixels);
    const int out_pitch = out->pitch / 4;
    // A new surface starts with the black bars and the whole picture.
    const bool new_surface = out != bars_painted_on || out->w != bars_w || out->h != bars_h;
    if (new_surface) {
        for (int y = 0; y < out->h; ++y) std::fill_n(reinterpret_cast<uint32_t*>(pixels + static_cast<size_t>(y) * out->pitch), out->w, 0u);
        bars_painted_on = out;
        bars_w = out->w;
        bars_h = out->h;
        forget_shown_frame(shown);
    }
    uint32_t* corner = reinterpret_cast<uint32_t*>(pixels + static_cast<size_t>(dst.y) * out->pitch) + dst.x;
    const int scale = dst.w / FRAME_W;
    const bool whole_scale = scale >= 1 && dst.w == FRAME_W * scale && dst.h == FRAME_H * scale;
    if (!whole_scale) forget_shown_frame(shown);
    RowBand bands[ROW_BANDS_MAX];
    const int band_count = changed_row_bands(shown, frame, palette, bands);
    SDL_Rect rects[ROW_BANDS_MAX];
    int rect_count = 0;
    if (whole_scale) {
        for (int b = 0; b < band_count; ++b) {
            convert_rows_scaled(frame, lookup, corner, out_pitch, scale, bands[b].first, bands[b].last);
            rects[rect_count++] = SDL_Rect{dst.x, dst.y + bands[b].first * scale, dst.w, (bands[b].last - bands[b].first) * scale};
        }
    } else {
        rgb.resize(FRAME_W * FRAME_H);
        convert_frame_scaled(frame, lookup, rgb.data(), FRAME_W, 1);
        source_column.resize(static_cast<size_t>(dst.w));
        for (int x = 0; x < dst.w; ++x) source_column[x] = x * FRAME_W / dst.w;
        int previous_row = -1;
        for (int y = 0; y < dst.h; ++y) {
            uint32_t* line = corner + static_cast<size_t>(y) * out_pitch;
            const int row = y * FRAME_H / dst.h;
            if (row == previous_row) {
                std::copy_n(line - out_pitch, dst.w, line);
                continue;
            }
            previous_row = row;
            const uint32_t* src = &rgb[static_cast<size_t>(row) * FRAME_W];
            for (int x = 0; x < dst.w; ++x) line[x] = src[source_column[x]];
        }
        rects[rect_count++] = dst;
    }
    if (SDL_MUSTLOCK(out)) SDL_UnlockSurface(out);
    // An unchanged frame still goes through the call (with nothing to send), so the display
    // paces it like any other.
    if (new_surface)
        SDL_UpdateWindowSurface(window);
    else
        SDL_UpdateWindowSurfaceRects(window, rects, rect_count);
}

}  // namespace platform::window_backend
