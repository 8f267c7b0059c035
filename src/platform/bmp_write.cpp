// The BMP writer behind frame dumps and the data generator.
#include "platform/bmp_write.h"

#include <cstdio>
#include <vector>

#include "base/byte_writer.h"

namespace platform {

bool write_bmp8(const char* path, int width, int height, const uint8_t* pixels, int pitch, const PaletteEntry palette[256]) {
    if (!path || !pixels || width <= 0 || height <= 0) return false;
    const int row = (width + 3) & ~3;
    const uint32_t image = static_cast<uint32_t>(row) * static_cast<uint32_t>(height);
    const uint32_t offset = 14 + 40 + 1024;
    std::vector<uint8_t> out;
    out.reserve(offset + image);
    out.push_back('B');
    out.push_back('M');
    append_le(out, offset + image, 4);
    append_le(out, 0, 4);
    append_le(out, offset, 4);
    append_le(out, 40, 4);
    append_le(out, static_cast<uint32_t>(width), 4);
    append_le(out, static_cast<uint32_t>(height), 4);
    append_le(out, 1, 2);
    append_le(out, 8, 2);
    append_le(out, 0, 4);  // no compression
    append_le(out, image, 4);
    append_le(out, 2835, 4);  // 72 dots an inch
    append_le(out, 2835, 4);
    append_le(out, 256, 4);
    append_le(out, 0, 4);
    for (int i = 0; i < 256; ++i) {
        out.push_back(palette[i].blue);
        out.push_back(palette[i].green);
        out.push_back(palette[i].red);
        out.push_back(0);
    }
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* src = pixels + static_cast<size_t>(y) * pitch;
        out.insert(out.end(), src, src + width);
        out.insert(out.end(), static_cast<size_t>(row - width), 0);
    }
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    const bool written = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && written;
}

}  // namespace platform
