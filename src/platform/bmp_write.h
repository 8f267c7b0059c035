// Writes 8-bit paletted pictures as uncompressed, bottom-up BMP files.
#pragma once
#include <cstdint>

#include "platform/platform.h"

namespace platform {

// `pixels` are top row first, `pitch` bytes apart. Rows are padded to 4 bytes as the
// format asks. Returns false when the file cannot be written.
bool write_bmp8(const char* path, int width, int height, const uint8_t* pixels, int pitch, const PaletteEntry palette[256]);

}  // namespace platform
