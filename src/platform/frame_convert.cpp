// Palette lookup of whole frames, scaled by whole numbers on the way.
#include "platform/frame_convert.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {

void argb_lookup(const PaletteEntry palette[256], uint32_t lookup[256]) {
    for (int i = 0; i < 256; ++i)
        lookup[i] = 0xFF000000u | (uint32_t(palette[i].red) << 16) | (uint32_t(palette[i].green) << 8) | palette[i].blue;
}

namespace {

// Longest output row built in the row buffer: the frame at the largest window scale.
constexpr int ROW_BUFFER_PIXELS = 640 * 8;

// Copies `count` pixels to memory that only the display reads. Where the machine has them,
// non-temporal stores write whole cache lines straight to memory: nothing is read in first
// and the window's megabytes do not push the game's own data out of the cache.
void stream_pixels(uint32_t* to, const uint32_t* from, int count) {
    int x = 0;
#if defined(__SSE2__)
    for (; x < count && (reinterpret_cast<uintptr_t>(to + x) & 15) != 0; ++x) to[x] = from[x];
    for (; x + 4 <= count; x += 4)
        _mm_stream_si128(reinterpret_cast<__m128i*>(to + x), _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x)));
#endif
    for (; x < count; ++x) to[x] = from[x];
}

// Ends a run of stream_pixels: its stores are visible before the display is told to read them.
void finish_streaming() {
#if defined(__SSE2__)
    _mm_sfence();
#endif
}

}  // namespace

void convert_rows_scaled(const Surface& frame, const uint32_t lookup[256], uint32_t* out, int out_pitch, int scale, int first, int last) {
    if (first < 0) first = 0;
    if (last > frame.height) last = frame.height;
    if (scale < 1 || frame.width <= 0 || first >= last) return;
    // Everything the inner loops read is a local: stores through `out` cannot alias it, so the
    // compiler keeps it in registers instead of reloading it for every pixel.
    uint32_t colour[256];
    std::memcpy(colour, lookup, sizeof colour);
    const int width = frame.width, src_pitch = frame.pitch;
    const int out_width = width * scale;
    const uint8_t* src_row = frame.pixels.data() + static_cast<size_t>(first) * src_pitch;
    // Each output row is built once in a buffer that stays in the cache, then streamed out as
    // many times as the scale repeats it.
    alignas(16) uint32_t scaled[ROW_BUFFER_PIXELS];
    const bool buffered = out_width <= ROW_BUFFER_PIXELS;
    for (int y = first; y < last; ++y, src_row += src_pitch) {
        uint32_t* line = out + static_cast<size_t>(y) * scale * out_pitch;
        uint32_t* build = buffered ? scaled : line;
        const uint8_t* s = src_row;
        if (scale == 1) {
            for (int x = 0; x < width; ++x) build[x] = colour[s[x]];
        } else if (scale == 2) {
            for (int x = 0; x < width; ++x) build[2 * x] = build[2 * x + 1] = colour[s[x]];
        } else {
            uint32_t* d = build;
            for (int x = 0; x < width; ++x, d += scale) {
                const uint32_t c = colour[s[x]];
                for (int k = 0; k < scale; ++k) d[k] = c;
            }
        }
        if (buffered) {
            for (int r = 0; r < scale; ++r) stream_pixels(line + static_cast<size_t>(r) * out_pitch, scaled, out_width);
        } else {
            // The other rows of the block repeat the first.
            const size_t bytes = static_cast<size_t>(out_width) * sizeof(uint32_t);
            for (int r = 1; r < scale; ++r) std::memcpy(line + static_cast<size_t>(r) * out_pitch, line, bytes);
        }
    }
    finish_streaming();
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
