// Writes 8-bit paletted pictures as PNG files (colour type 3), for icons and screenshots.
#pragma once
#include <cstdint>

#include "platform/platform.h"

namespace platform {

// `pixels` are top row first, `pitch` bytes apart. With `key_transparent`, index 0 is fully
// transparent (the game's colour key) and every other index opaque. The image data is stored
// deflate blocks: the files are small and need no compression library. Returns false when the
// file cannot be written.
bool write_png8(const char* path, int width, int height, const uint8_t* pixels, int pitch, const PaletteEntry palette[256],
                bool key_transparent);

}  // namespace platform
