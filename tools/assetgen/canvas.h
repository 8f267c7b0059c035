// An 8-bit paletted picture in memory and the drawing operations the art generators share.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "palette.h"

namespace art {

struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // top row first, one palette index per pixel

    Canvas() = default;
    Canvas(int w, int h, int fill = TRANSPARENT);

    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    uint8_t at(int x, int y) const { return inside(x, y) ? pixels[y * width + x] : 0; }
    void set(int x, int y, int index) {
        if (inside(x, y)) pixels[y * width + x] = static_cast<uint8_t>(index);
    }
};

// A deterministic hash of a point and a seed, 0..65535: the art's only source of noise.
uint32_t noise(int x, int y, uint32_t seed);
// Smooth value noise in 0..1 over cells of the given size.
double smooth_noise(double x, double y, double cell, uint32_t seed);

void fill_rect(Canvas& c, int x, int y, int w, int h, int index);
void rect_outline(Canvas& c, int x, int y, int w, int h, int index);
void line(Canvas& c, int x0, int y0, int x1, int y1, int index);
void thick_line(Canvas& c, int x0, int y0, int x1, int y1, int radius, int index);
void fill_circle(Canvas& c, int cx, int cy, int r, int index);
void fill_ellipse(Canvas& c, int cx, int cy, int rx, int ry, int index);
// Ellipse given by its bounding box, so even sizes stay symmetric.
void fill_ellipse_box(Canvas& c, int x, int y, int w, int h, int index);
void fill_polygon(Canvas& c, const std::vector<std::pair<int, int>>& points, int index);

// Shades an already drawn shape: every pixel of colour from_index inside the box keeps
// its ramp but takes a shade from a light source at the upper left.
void shade_ellipse(Canvas& c, int x, int y, int w, int h, int ramp, int lo, int hi);

// Puts a one-pixel outline of the given colour around every opaque pixel.
void outline(Canvas& c, int index);
// Replaces every pixel of one index with another.
void recolour(Canvas& c, int from, int to);
// Copies src onto dst at (x, y), skipping transparent pixels.
void paste(Canvas& dst, const Canvas& src, int x, int y);
Canvas flip_horizontal(const Canvas& src);
Canvas flip_vertical(const Canvas& src);
Canvas rotate_90_clockwise(const Canvas& src);
// Nearest-neighbour scaling to a new size.
Canvas scaled(const Canvas& src, int w, int h);
// Cuts a w x h piece out at (x, y).
Canvas crop(const Canvas& src, int x, int y, int w, int h);

// Draws text in a DejaVu font (file name inside the font folder) at a pixel size,
// without anti-aliasing, returning a canvas just big enough, glyphs in the given index.
Canvas render_text(const std::string& text, const std::string& font_file, int pixel_size, int index);

// Writes an 8-bit, uncompressed, bottom-up BMP with the game palette. Widths must be
// multiples of 4 so rows need no padding. Returns false when the file cannot be written.
bool write_bmp(const std::string& path, const Canvas& c);

// Lays frames of equal size into one sheet, `per_row` to a row.
Canvas sheet(const std::vector<Canvas>& frames, int per_row);

}  // namespace art
