// Turns an 8-bit frame into 32-bit pixels through a palette, as every presentation does.
#pragma once
#include <cstdint>

#include "platform/platform.h"

namespace platform {

// Writes width x height pixels as 0xAARRGGBB into `out` (`out_pitch` in pixels).
void convert_frame(const Surface& frame, const PaletteEntry palette[256], uint32_t* out, int out_pitch);

}  // namespace platform
