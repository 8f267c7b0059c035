// Palette lookup of whole frames.
#include "platform/frame_convert.h"

#include <cstddef>

namespace platform {

void convert_frame(const Surface& frame, const PaletteEntry palette[256], uint32_t* out, int out_pitch) {
    uint32_t lookup[256];
    for (int i = 0; i < 256; ++i)
        lookup[i] = 0xFF000000u | (uint32_t(palette[i].red) << 16) | (uint32_t(palette[i].green) << 8) | palette[i].blue;
    for (int y = 0; y < frame.height; ++y) {
        const uint8_t* src = &frame.pixels[static_cast<size_t>(y) * frame.pitch];
        uint32_t* dst = out + static_cast<size_t>(y) * out_pitch;
        for (int x = 0; x < frame.width; ++x) dst[x] = lookup[src[x]];
    }
}

}  // namespace platform
