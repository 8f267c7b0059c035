// The BMP writer behind frame dumps and the data generator.
#include "platform/bmp_write.h"

#include <cstdio>
#include <vector>

namespace platform {
namespace {

void put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(x & 0xFF);
    v.push_back((x >> 8) & 0xFF);
}

void put32(std::vector<uint8_t>& v, uint32_t x) {
    put16(v, x & 0xFFFF);
    put16(v, x >> 16);
}

}  // namespace

bool write_bmp8(const char* path, int width, int height, const uint8_t* pixels, int pitch, const PaletteEntry palette[256]) {
    if (!path || !pixels || width <= 0 || height <= 0) return false;
    const int row = (width + 3) & ~3;
    const uint32_t image = static_cast<uint32_t>(row) * static_cast<uint32_t>(height);
    const uint32_t offset = 14 + 40 + 1024;
    std::vector<uint8_t> out;
    out.reserve(offset + image);
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + image);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, static_cast<uint32_t>(width));
    put32(out, static_cast<uint32_t>(height));
    put16(out, 1);
    put16(out, 8);
    put32(out, 0);  // no compression
    put32(out, image);
    put32(out, 2835);  // 72 dots an inch
    put32(out, 2835);
    put32(out, 256);
    put32(out, 0);
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
