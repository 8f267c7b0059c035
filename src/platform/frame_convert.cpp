// Palette lookup of whole frames, scaled by whole numbers on the way.
#include "platform/frame_convert.h"

#include <cstddef>
#include <cstring>

namespace platform {

void argb_lookup(const PaletteEntry palette[256], uint32_t lookup[256]) {
    for (int i = 0; i < 256; ++i)
        lookup[i] = 0xFF000000u | (uint32_t(palette[i].red) << 16) | (uint32_t(palette[i].green) << 8) | palette[i].blue;
}

void convert_rows_scaled(const Surface& frame, const uint32_t lookup[256], uint32_t* out, int out_pitch, int scale, int first, int last) {
    if (first < 0) first = 0;
    if (last > frame.height) last = frame.height;
    if (scale < 1 || frame.width <= 0 || first >= last) return;
    // Everything the inner loops read is a local: stores through `out` cannot alias it, so the
    // compiler keeps it in registers instead of reloading it for every pixel.
    uint32_t colour[256];
    std::memcpy(colour, lookup, sizeof colour);
    const int width = frame.width, src_pitch = frame.pitch;
    const uint8_t* src_row = frame.pixels.data() + static_cast<size_t>(first) * src_pitch;
    const size_t out_width_bytes = static_cast<size_t>(width) * scale * sizeof(uint32_t);
    for (int y = first; y < last; ++y, src_row += src_pitch) {
        uint32_t* line = out + static_cast<size_t>(y) * scale * out_pitch;
        const uint8_t* s = src_row;
        if (scale == 1) {
            for (int x = 0; x < width; ++x) line[x] = colour[s[x]];
        } else if (scale == 2) {
            for (int x = 0; x < width; ++x) line[2 * x] = line[2 * x + 1] = colour[s[x]];
        } else {
            uint32_t* d = line;
            for (int x = 0; x < width; ++x, d += scale) {
                const uint32_t c = colour[s[x]];
                for (int k = 0; k < scale; ++k) d[k] = c;
            }
        }
        // The other rows of the block repeat the first.
        for (int r = 1; r < scale; ++r) std::memcpy(line + static_cast<size_t>(r) * out_pitch, line, out_width_bytes);
    }
}

void convert_frame_scaled(const Surface& frame, const uint32_t lookup[256], uint32_t* out, int out_pitch, int scale) {
    convert_rows_scaled(frame, lookup, out, out_pitch, scale, 0, frame.height);
}

void convert_frame(const Surface& frame, const PaletteEntry palette[256], uint32_t* out, int out_pitch) {
    uint32_t lookup[256];
    argb_lookup(palette, lookup);
    convert_frame_scaled(frame, lookup, out, out_pitch, 1);
}

}  // namespace platform
