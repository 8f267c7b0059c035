// 8-bit pixel surfaces with a source colour key and a clip rectangle, and the fills and
// keyed, stretching blits the graphics toolkit draws with. Plain byte buffers, no SDL.
#pragma once
#include <cstdint>
#include <vector>

namespace platform {

// A rectangle in pixels; right and bottom are exclusive.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// One source row as keyed blits see it: every pixel outside [begin, end) is the colour key,
// and `solid` says no pixel inside is. Measured once, when a picture's pixels are set.
struct RowSpan {
    uint16_t begin = 0, end = 0;
    bool solid = false;
};

// One colour of an 8-bit surface's palette.
struct PaletteEntry {
    uint8_t red, green, blue, flags;
};

struct Surface {
    int width = 0;
    int height = 0;
    int pitch = 0;  // bytes per row
    std::vector<uint8_t> pixels;
    bool has_color_key = false;
    uint8_t color_key = 0;  // source pixels of this value are skipped by keyed blits
    bool has_clip = false;
    Rect clip;  // blits into this surface are cut to it (always also to the surface)
    // One per row once measure_rows has run; empty otherwise, and then every pixel is tested.
    std::vector<RowSpan> row_spans;
    bool opaque = false;  // measured, and no pixel is the colour key: a keyed blit covers its rectangle
};

// Sizes the surface and zeroes its pixels. Returns false for sizes outside 1..16384.
bool create_surface(Surface& s, int width, int height);
void set_color_key(Surface& s, uint8_t key);
// Measures every row against the colour key, so keyed blits from the surface copy opaque runs
// whole and skip transparent ones. Call once its pixels are final: pixels written later are
// not seen until it is called again (create_surface and set_color_key forget the measure).
void measure_rows(Surface& s);
void set_clip(Surface& s, const Rect& clip);

// The surface's own bounds, narrowed to its clip rectangle when it has one: where drawing lands.
Rect drawable_area(const Surface& s);

// Sets every pixel of `rect` (the whole surface when null), cut to the surface, to `index`.
void fill_surface(Surface& s, const Rect* rect, uint8_t index);

// Copies src_rect of `src` into dst_rect of `dst`, stretching with nearest-neighbour
// sampling when the sizes differ and skipping `src`'s colour key. The destination is cut
// to dst's clip rectangle and bounds, and each drawn pixel samples the same source pixel
// it would have without the cut. Returns false for empty or out-of-source rectangles.
bool blit_keyed(Surface& dst, const Rect& dst_rect, const Surface& src, const Rect& src_rect);

// Draws every pixel of `src` that is not its colour key in the one colour `index`, with
// its top-left at (x, y), cut like blit_keyed: the sprite's silhouette, for a hit flash.
void blit_silhouette(Surface& dst, int x, int y, const Surface& src, uint8_t index);

}  // namespace platform
