// The display: back surface, palette, clip bounds, presentation, fills and text.
#include "graphics/display.h"

#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "base/data_file.h"
#include "platform/text.h"

DisplayState display;

uint16_t pack_rgb565(int r, int g, int b) {
    return static_cast<uint16_t>(((r >> 3) & 0x1F) << 11 | ((g >> 2) & 0x3F) << 5 | ((b >> 3) & 0x1F));
}

uint16_t pack_rgb555(int r, int g, int b) {
    return static_cast<uint16_t>(((r >> 3) & 0x1F) << 10 | ((g >> 3) & 0x1F) << 5 | ((b >> 3) & 0x1F));
}

int display_init(int width, int height, int bpp, int windowed) {
    display = DisplayState{};
    display.screen_width = width;
    display.screen_height = height;
    display.screen_bpp = bpp;
    display.screen_windowed = windowed;
    // Every surface is 8 bits a pixel; the window backend converts when it presents.
    display.pixel_format = 8;
    if (!platform::create_surface(display.back_surface, width, height)) return 0;
    if (bpp == 8) {
        std::memset(display.palette_entries, 0, sizeof display.palette_entries);
        load_palette_file("PALDATA2.PAL", display.palette_entries);
    }
    clear_back_surface();
    display.min_clip_x = 0;
    display.max_clip_x = width - 1;
    display.min_clip_y = 0;
    display.max_clip_y = height - 1;
    platform::set_clip(display.back_surface, platform::Rect{0, 0, width, height});
    display.ready = true;
    return 1;
}

int display_shutdown() {
    display.back_surface = Surface{};
    display.ready = false;
    return 1;
}

int flip_display() {
    if (!display.ready) return 0;
    platform::present(display.back_surface, display.palette_entries);
    return 1;
}

int fill_surface(Surface* surface, int colour, const platform::Rect* rect) {
    if (surface) platform::fill_surface(*surface, rect, static_cast<uint8_t>(colour & 0xFF));
    return 1;
}

void fill_box(int left, int top, int right, int bottom, uint32_t colour) {
    const platform::Rect r{left, top, right, bottom};
    fill_surface(&display.back_surface, nearest_palette_index(colour), &r);
}

void draw_framed_strip(int left, int top, int right, int bottom) {
    fill_box(left - 2, top - 2, right + 2, bottom + 2, 0x0040A0D0);
    fill_box(left, top, right, bottom, 0x00301810);
}

void clear_back_surface() { fill_surface(&display.back_surface, 0, nullptr); }

uint8_t nearest_palette_index(uint32_t colour) {
    const int r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
    int best = 0;
    long best_distance = -1;
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry& e = display.palette_entries[i];
        const long dr = e.red - r, dg = e.green - g, db = e.blue - b;
        const long distance = dr * dr + dg * dg + db * db;
        if (best_distance < 0 || distance < best_distance) {
            best_distance = distance;
            best = i;
        }
        if (distance == 0) break;
    }
    return static_cast<uint8_t>(best);
}

int draw_text(const char* text, int x, int y, uint32_t colour, Surface* surface) {
    if (!surface || !text) return 0;
    return platform::draw_text(*surface, text, x, y, nearest_palette_index(colour)) ? 1 : 0;
}

int draw_outlined_text(const char* text, int x, int y, uint32_t colour, Surface* surface) {
    if (!surface || !text) return 0;
    return platform::draw_text_outlined(*surface, text, x, y, nearest_palette_index(colour), nearest_palette_index(0x000000)) ? 1 : 0;
}

int set_palette(const PaletteEntry entries[256]) {
    std::memcpy(display.palette_entries, entries, sizeof display.palette_entries);
    return 1;
}

int load_palette_file(const char* filename, PaletteEntry entries[256]) {
    std::vector<uint8_t> bytes;
    std::string fault;
    if (!read_data_file(filename, DataKind::Palette, &bytes, &fault)) {
        std::fprintf(stderr, "quillmoor: %s: %s\n", filename, fault.c_str());
        return 0;
    }
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    // Values are read in order; at the first missing or malformed value the rest stay as they were.
    int values[4];
    int complete = 0;
    for (; complete < 256; ++complete) {
        int n = 0;
        while (n < 4 && in >> values[n]) ++n;
        if (n < 4) break;
        entries[complete] = PaletteEntry{static_cast<uint8_t>(values[0]), static_cast<uint8_t>(values[1]), static_cast<uint8_t>(values[2]),
                                         static_cast<uint8_t>(values[3])};
    }
    if (complete < 256) std::fprintf(stderr, "quillmoor: %s: only %d of 256 palette entries could be read\n", filename, complete);
    return 1;
}
