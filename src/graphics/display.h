// The display: the back surface every frame is drawn into, its clip bounds, the
// 256-colour palette, presentation, colour fills and text output.
#pragma once
#include <cstdint>

#include "platform/platform.h"
#include "platform/surface.h"

using Surface = platform::Surface;
using PaletteEntry = platform::PaletteEntry;

struct DisplayState {
    Surface back_surface;
    PaletteEntry palette_entries[256];
    int screen_width = 0, screen_height = 0, screen_bpp = 0;
    int screen_windowed = 0;
    int pixel_format = 0;
    int min_clip_x = 0, max_clip_x = 0, min_clip_y = 0, max_clip_y = 0;
    bool ready = false;
};

extern DisplayState display;

constexpr uint32_t PALETTE_FLAG_NOCOLLAPSE = 4;

int display_init(int width, int height, int bpp, int windowed);
int display_shutdown();
// Presents the back surface through the palette.
int flip_display();
// Fills `rect` (the whole surface when null) with the low 8 bits of `colour`.
int fill_surface(Surface* surface, int colour, const platform::Rect* rect);
// Fills the back surface from (left, top) up to but not including (right, bottom) with the
// palette entry nearest `colour` (0x00BBGGRR).
void fill_box(int left, int top, int right, int bottom, uint32_t colour);
// A dark strip for a line of text over the game, framed two pixels wide, the box given being
// the strip's inside (the prompts, notices and the like).
void draw_framed_strip(int left, int top, int right, int bottom);
// Paints the back surface black, as every frame starts.
void clear_back_surface();
// Draws a Windows-1252 string in colour 0x00BBGGRR, mapped to the nearest palette entry.
int draw_text(const char* text, int x, int y, uint32_t colour, Surface* surface);
// Draws text in `colour` with a one-pixel black outline all round, readable on any ground.
int draw_outlined_text(const char* text, int x, int y, uint32_t colour, Surface* surface);
// Palette index closest to a 0x00BBGGRR colour under the current palette.
uint8_t nearest_palette_index(uint32_t colour);

// Replaces the whole display palette.
int set_palette(const PaletteEntry entries[256]);
// 1 when the file was opened (a short or damaged file leaves later entries as they were).
int load_palette_file(const char* filename, PaletteEntry entries[256]);

uint16_t pack_rgb565(int r, int g, int b);
uint16_t pack_rgb555(int r, int g, int b);
