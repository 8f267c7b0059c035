// The PNG writer: signature, header, palette, optional transparency, stored image data, end.
#include "platform/png_write.h"

#include <cstdio>
#include <string>
#include <vector>

#include "base/byte_writer.h"

namespace platform {
namespace {

uint32_t crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void chunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& body) {
    append_be(out, static_cast<uint32_t>(body.size()), 4);
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    append_be(out, crc32(out.data() + start, out.size() - start), 4);
}

// A zlib stream of stored deflate blocks (at most 65535 bytes each) with its Adler-32.
std::vector<uint8_t> zlib_stored(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> z = {0x78, 0x01};
    size_t at = 0;
    do {
        const size_t n = std::min<size_t>(65535, raw.size() - at);
        const bool last = at + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(n & 0xFF);
        z.push_back(n >> 8);
        z.push_back(~n & 0xFF);
        z.push_back((~n >> 8) & 0xFF);
        z.insert(z.end(), raw.begin() + static_cast<long>(at), raw.begin() + static_cast<long>(at + n));
        at += n;
    } while (at < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    append_be(z, (b << 16) | a, 4);
    return z;
}

}  // namespace

bool write_png8(const char* path, int width, int height, const uint8_t* pixels, int pitch, const PaletteEntry palette[256],
                bool key_transparent) {
    if (width <= 0 || height <= 0 || !pixels) return false;
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    append_be(header, static_cast<uint32_t>(width), 4);
    append_be(header, static_cast<uint32_t>(height), 4);
    header.insert(header.end(), {8, 3, 0, 0, 0});  // 8 bits, paletted, deflate, no filter, no interlace
    chunk(out, "IHDR", header);
    std::vector<uint8_t> colours;
    for (int i = 0; i < 256; ++i) colours.insert(colours.end(), {palette[i].red, palette[i].green, palette[i].blue});
    chunk(out, "PLTE", colours);
    if (key_transparent) chunk(out, "tRNS", {0});
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(height) * (static_cast<size_t>(width) + 1));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // filter: none
        const uint8_t* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(pitch);
        raw.insert(raw.end(), row, row + width);
    }
    chunk(out, "IDAT", zlib_stored(raw));
    chunk(out, "IEND", {});
    FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    const bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && ok;
}

}  // namespace platform
