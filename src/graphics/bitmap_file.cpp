// Reads Windows BMP files into a top-down buffer, refusing anything damaged or unsupported.
#include "graphics/bitmap_file.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "base/byte_reader.h"
#include "base/data_file.h"

namespace {

// Files already reported: a picture loaded for each of a hundred enemies is reported once.
std::vector<std::string> reported_files;

int refuse(const char* filename, const char* fault) {
    for (const std::string& name : reported_files)
        if (name == filename) return 0;
    reported_files.emplace_back(filename);
    std::fprintf(stderr, "quillmoor: %s: %s\n", filename, fault);
    return 0;
}

constexpr size_t FILE_HEADER_SIZE = 14, INFO_HEADER_SIZE = 40, COLOUR_TABLE_SIZE = 1024;

}  // namespace

int load_bitmap_file(BitmapFile* bitmap, const char* filename) {
    if (!bitmap || !filename) return 0;
    // Whatever happens, the pixels of an earlier file are not left behind to be cut from.
    unload_bitmap_file(bitmap);
    std::vector<uint8_t> bytes;
    std::string fault;
    if (!read_data_file(filename, DataKind::Bitmap, &bytes, &fault)) return refuse(filename, fault.c_str());
    if (bytes.size() < FILE_HEADER_SIZE + INFO_HEADER_SIZE) return refuse(filename, "file too short for a bitmap header");

    const uint8_t* h = bytes.data();
    BitmapFileHeader fh;
    fh.bfType = read_le16(h);
    fh.bfSize = read_le32(h + 2);
    fh.bfOffBits = read_le32(h + 10);
    if (fh.bfType != 0x4D42) return refuse(filename, "not a bitmap (no \"BM\" signature)");
    const uint8_t* ih = h + FILE_HEADER_SIZE;
    BitmapInfoHeader info;
    info.biSize = read_le32(ih);
    info.biWidth = static_cast<int32_t>(read_le32(ih + 4));
    info.biHeight = static_cast<int32_t>(read_le32(ih + 8));
    info.biPlanes = read_le16(ih + 12);
    info.biBitCount = read_le16(ih + 14);
    info.biCompression = read_le32(ih + 16);
    info.biSizeImage = read_le32(ih + 20);
    info.biClrUsed = read_le32(ih + 32);
    bitmap->file_header = fh;
    bitmap->info_header = info;

    const int depth = info.biBitCount;
    if (depth != 8 && depth != 16 && depth != 24) return refuse(filename, "unsupported colour depth (8, 16 or 24 bits are read)");
    if (info.biCompression != 0) return refuse(filename, "compressed bitmaps are not read");
    if (info.biWidth <= 0 || info.biHeight <= 0 || info.biWidth > BITMAP_MAX_SIDE || info.biHeight > BITMAP_MAX_SIDE)
        return refuse(filename, "picture size out of range");

    const size_t bytes_per_pixel = depth / 8;
    const size_t row = static_cast<size_t>(info.biWidth) * bytes_per_pixel;
    const size_t padded_row = (row + 3) & ~static_cast<size_t>(3);
    const size_t rows = static_cast<size_t>(info.biHeight);
    if (info.biSizeImage < row * rows) return refuse(filename, "image size field is zero or smaller than the picture");
    const size_t header_end = FILE_HEADER_SIZE + INFO_HEADER_SIZE + (depth == 8 ? COLOUR_TABLE_SIZE : 0);
    if (bytes.size() < header_end || bytes.size() - header_end < info.biSizeImage) return refuse(filename, "file is truncated");

    if (depth == 8) {
        const uint8_t* table = h + FILE_HEADER_SIZE + INFO_HEADER_SIZE;
        for (int i = 0; i < 256; ++i)
            bitmap->palette[i] = PaletteEntry{table[4 * i + 2], table[4 * i + 1], table[4 * i], PALETTE_FLAG_NOCOLLAPSE};
    }

    // The pixel data are the last biSizeImage bytes; rows are padded only when the size says so.
    const uint8_t* pixels = bytes.data() + bytes.size() - info.biSizeImage;
    const size_t stride = (padded_row != row && info.biSizeImage >= padded_row * rows) ? padded_row : row;
    std::vector<uint8_t>& out = bitmap->buffer;
    if (depth == 24) {
        out.assign(static_cast<size_t>(info.biWidth) * 2 * rows, 0);
        for (size_t y = 0; y < rows; ++y)
            for (size_t x = 0; x < static_cast<size_t>(info.biWidth); ++x) {
                const uint8_t* p = pixels + y * stride + 3 * x;
                uint16_t v = display.pixel_format == 15 ? pack_rgb555(p[2], p[1], p[0]) : pack_rgb565(p[2], p[1], p[0]);
                out[(y * info.biWidth + x) * 2] = v & 0xFF;
                out[(y * info.biWidth + x) * 2 + 1] = v >> 8;
            }
        bitmap->info_header.biBitCount = 16;
    } else {
        out.resize(row * rows);
        for (size_t y = 0; y < rows; ++y) std::memcpy(&out[y * row], pixels + y * stride, row);
    }
    std::snprintf(bitmap->name, sizeof bitmap->name, "%s", filename);
    flip_bitmap_rows(out.data(), static_cast<int>(info.biWidth * (bitmap->info_header.biBitCount / 8)), info.biHeight);
    return 1;
}

void forget_bitmap_reports() { reported_files.clear(); }

int unload_bitmap_file(BitmapFile* bitmap) {
    if (bitmap) {
        bitmap->name[0] = '\0';
        bitmap->buffer.clear();
        bitmap->buffer.shrink_to_fit();
    }
    return 1;
}

int flip_bitmap_rows(uint8_t* image, int bytes_per_row, int rows) {
    if (!image || bytes_per_row <= 0 || rows <= 0) return 0;
    std::vector<uint8_t> spare(static_cast<size_t>(bytes_per_row));
    for (int top = 0, bottom = rows - 1; top < bottom; ++top, --bottom) {
        uint8_t* a = image + static_cast<size_t>(top) * bytes_per_row;
        uint8_t* b = image + static_cast<size_t>(bottom) * bytes_per_row;
        std::memcpy(spare.data(), a, bytes_per_row);
        std::memcpy(a, b, bytes_per_row);
        std::memcpy(b, spare.data(), bytes_per_row);
    }
    return 1;
}
