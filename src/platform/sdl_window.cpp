// The window backend: an SDL window showing the 8-bit frame scaled with sharp pixels,
// and the keyboard snapshot taken from SDL's key state.
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/backend.h"
#include "platform/frame_convert.h"
#include "platform/keyboard.h"

namespace platform::window_backend {
namespace {

constexpr int FRAME_W = 640, FRAME_H = 480;

SDL_Window* window = nullptr;
std::vector<uint32_t> rgb;  // the frame through the palette, 640 x 480
std::vector<int> source_column;  // for each window column inside the picture, its frame column
const SDL_Surface* bars_painted_on = nullptr;
int bars_w = 0, bars_h = 0;
bool fullscreen = false;
// After Alt+Enter, Enter stays hidden from the game until it is released.
bool hide_enter = false;

struct KeyMapping {
    SDL_Scancode scancode;
    int virtual_key;
    int scan_code;
};

// Virtual-key and scan codes of the keys a player may press.
const KeyMapping KEY_MAP[] = {
    {SDL_SCANCODE_RETURN, 13, 0x1C}, {SDL_SCANCODE_KP_ENTER, 13, 0x9C}, {SDL_SCANCODE_ESCAPE, 27, 0x01},
    {SDL_SCANCODE_SPACE, 32, 0x39},  {SDL_SCANCODE_LEFT, 37, 0xCB},     {SDL_SCANCODE_UP, 38, 0xC8},
    {SDL_SCANCODE_RIGHT, 39, 0xCD},  {SDL_SCANCODE_DOWN, 40, 0xD0},     {SDL_SCANCODE_TAB, 9, 0x0F},
    {SDL_SCANCODE_BACKSPACE, 8, 0x0E}, {SDL_SCANCODE_LSHIFT, 16, 0x2A}, {SDL_SCANCODE_RSHIFT, 16, 0x36},
    {SDL_SCANCODE_LCTRL, 17, 0x1D},  {SDL_SCANCODE_RCTRL, 17, 0x9D},    {SDL_SCANCODE_LALT, 18, 0x38},
    {SDL_SCANCODE_RALT, 18, 0xB8},   {SDL_SCANCODE_A, 'A', 0x1E},       {SDL_SCANCODE_B, 'B', 0x30},
    {SDL_SCANCODE_C, 'C', 0x2E},     {SDL_SCANCODE_D, 'D', 0x20},       {SDL_SCANCODE_E, 'E', 0x12},
    {SDL_SCANCODE_F, 'F', 0x21},     {SDL_SCANCODE_G, 'G', 0x22},       {SDL_SCANCODE_H, 'H', 0x23},
    {SDL_SCANCODE_I, 'I', 0x17},     {SDL_SCANCODE_J, 'J', 0x24},       {SDL_SCANCODE_K, 'K', 0x25},
    {SDL_SCANCODE_L, 'L', 0x26},     {SDL_SCANCODE_M, 'M', 0x32},       {SDL_SCANCODE_N, 'N', 0x31},
    {SDL_SCANCODE_O, 'O', 0x18},     {SDL_SCANCODE_P, 'P', 0x19},       {SDL_SCANCODE_Q, 'Q', 0x10},
    {SDL_SCANCODE_R, 'R', 0x13},     {SDL_SCANCODE_S, 'S', 0x1F},       {SDL_SCANCODE_T, 'T', 0x14},
    {SDL_SCANCODE_U, 'U', 0x16},     {SDL_SCANCODE_V, 'V', 0x2F},       {SDL_SCANCODE_W, 'W', 0x11},
    {SDL_SCANCODE_X, 'X', 0x2D},     {SDL_SCANCODE_Y, 'Y', 0x15},       {SDL_SCANCODE_Z, 'Z', 0x2C},
    {SDL_SCANCODE_1, '1', 0x02},     {SDL_SCANCODE_2, '2', 0x03},       {SDL_SCANCODE_3, '3', 0x04},
    {SDL_SCANCODE_4, '4', 0x05},     {SDL_SCANCODE_5, '5', 0x06},       {SDL_SCANCODE_6, '6', 0x07},
    {SDL_SCANCODE_7, '7', 0x08},     {SDL_SCANCODE_8, '8', 0x09},       {SDL_SCANCODE_9, '9', 0x0A},
    {SDL_SCANCODE_0, '0', 0x0B},
};

// Keys pressed since the last frame: a tap that begins and ends between two frames is
// still seen down for one frame instead of being lost.
bool tapped[SDL_NUM_SCANCODES];

void refresh_keyboard() {
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    KeyboardSnapshot snap{};
    for (const KeyMapping& k : KEY_MAP) {
        const bool down = keys[k.scancode] || tapped[k.scancode];
        tapped[k.scancode] = false;
        if (!down) continue;
        if (hide_enter && k.virtual_key == 13) continue;
        snap.virtual_down[k.virtual_key] = true;
        snap.scan_state[k.scan_code & 0xFF] = KEY_DOWN_BIT;
    }
    set_keyboard_snapshot(snap);
    // Enter of an Alt+Enter stays hidden for the frame it was seen in, and after that
    // until it is released.
    if (hide_enter && !keys[SDL_SCANCODE_RETURN] && !keys[SDL_SCANCODE_KP_ENTER]) hide_enter = false;
}

void toggle_fullscreen() {
    fullscreen = !fullscreen;
    SDL_SetWindowFullscreen(window, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    hide_enter = true;
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
    Uint32 flags = SDL_WINDOW_RESIZABLE | (fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    window = SDL_CreateWindow("Quillmoor", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, FRAME_W * scale, FRAME_H * scale, flags);
    if (!window) {
        std::fprintf(stderr, "quillmoor: cannot open a window: %s\n", SDL_GetError());
        return false;
    }
    SDL_ShowCursor(SDL_DISABLE);
    rgb.assign(FRAME_W * FRAME_H, 0xFF000000u);
    return true;
}

void shutdown() {
    if (window) SDL_DestroyWindow(window);
    window = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS);
}

// Takes every waiting event, so a held key never lags behind; false once the window closes.
bool pump_events() {
    bool open = true;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        if (e.type == SDL_QUIT) open = false;
        if (e.type == SDL_KEYDOWN && e.key.keysym.scancode < SDL_NUM_SCANCODES) tapped[e.key.keysym.scancode] = true;
        if (e.type == SDL_KEYDOWN && !e.key.repeat && (e.key.keysym.mod & KMOD_ALT) &&
            (e.key.keysym.scancode == SDL_SCANCODE_RETURN || e.key.keysym.scancode == SDL_SCANCODE_KP_ENTER))
            toggle_fullscreen();
    }
    refresh_keyboard();
    return open;
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

uint32_t tick_count() { return SDL_GetTicks(); }

void sleep_ms(uint32_t ms) { SDL_Delay(ms); }

// The frame is converted and scaled on the CPU straight into the window's own pixels, in one
// pass: at a whole-number scale each frame pixel becomes a square block (a row written once,
// then repeated), and only the picture's rectangle is sent on. Other scales, which only a small
// screen needs, go through a converted frame and a column table. No GPU or GL driver is needed.
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
    // The black bars only need painting (and sending) when the window's surface is new.
    const bool new_surface = out != bars_painted_on || out->w != bars_w || out->h != bars_h;
    if (new_surface) {
        for (int y = 0; y < out->h; ++y) std::fill_n(reinterpret_cast<uint32_t*>(pixels + static_cast<size_t>(y) * out->pitch), out->w, 0u);
        bars_painted_on = out;
        bars_w = out->w;
        bars_h = out->h;
    }
    uint32_t* corner = reinterpret_cast<uint32_t*>(pixels + static_cast<size_t>(dst.y) * out->pitch) + dst.x;
    const int scale = dst.w / FRAME_W;
    if (scale >= 1 && dst.w == FRAME_W * scale && dst.h == FRAME_H * scale) {
        convert_frame_scaled(frame, lookup, corner, out_pitch, scale);
    } else {
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
    }
    if (SDL_MUSTLOCK(out)) SDL_UnlockSurface(out);
    if (new_surface)
        SDL_UpdateWindowSurface(window);
    else
        SDL_UpdateWindowSurfaceRects(window, &dst, 1);
}

}  // namespace platform::window_backend
