// Turns an 8-bit frame into 32-bit pixels through a palette, as every presentation does.
#pragma once
#include <cstdint>

#include "platform/platform.h"

namespace platform {

// The palette as 0xAARRGGBB pixels, fully opaque.
void argb_lookup(const PaletteEntry palette[256], uint32_t lookup[256]);

// Writes the frame through `lookup` into `out` (`out_pitch` in pixels), every frame pixel as a
// `scale` x `scale` block, in one pass: width * scale by height * scale pixels are written.
void convert_frame_scaled(const Surface& frame, const uint32_t lookup[256], uint32_t* out, int out_pitch, int scale);

// The same for frame rows first..last-1 only; `out` is still where the frame's top left goes.
void convert_rows_scaled(const Surface& frame, const uint32_t lookup[256], uint32_t* out, int out_pitch, int scale, int first, int last);

// Writes width x height pixels as 0xAARRGGBB into `out` (`out_pitch` in pixels).
void convert_frame(const Surface& frame, const PaletteEntry palette[256], uint32_t* out, int out_pitch);

}  // namespace platform
