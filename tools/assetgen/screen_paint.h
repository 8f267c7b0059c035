// Painting helpers shared by the title, game-over and map pictures: dithered shading and lettering.
#pragma once
#include <string>
#include <vector>

#include "canvas.h"

namespace art {

// Ordered 4 x 4 dithering: picks one of the palette indices in `colours` (listed in order)
// for a position 0..1 along them at pixel (x, y), so gradients come out as even patterns.
int dither_pick(int x, int y, double t, const std::vector<int>& colours);

// Shade lo..hi of a ramp for a value 0..1, dithered at pixel (x, y).
int dither_shade(int x, int y, double t, int ramp, int lo, int hi);

// How a piece of lettering is painted.
struct Lettering {
    std::vector<int> fill;  // palette indices from the top of the letters to the bottom
    int edge_light = -1;  // index for the upper edge of each stroke, -1 for none
    int outline = BLACK;
    int outline_width = 1;  // pixels of outline around the strokes
    int shadow = -1;  // index of the drop shadow, -1 for none
    int shadow_dx = 0;  // shadow offset in pixels
    int shadow_dy = 0;
};

// The gold lettering of the menu plaques: cream to gold, lit edges, a two-pixel black outline,
// and a drop shadow in `shadow` moved `offset` pixels right and down.
Lettering gold_lettering(int shadow, int offset);

// Paints a glyph mask (any opaque pixel is a stroke) in the given style.
Canvas paint_mask(const Canvas& mask, const Lettering& style);

// Renders text in a DejaVu font with a vertical colour gradient, a lit upper edge,
// an outline and a drop shadow. The canvas is trimmed to the painted pixels.
Canvas paint_lettering(const std::string& text, const std::string& font_file, int pixel_size, const Lettering& style);

// Trims a canvas to the box of its opaque pixels.
Canvas trim(const Canvas& c);

// Pastes src centred on (cx, cy).
void paste_centred(Canvas& dst, const Canvas& src, int cx, int cy);

}  // namespace art
