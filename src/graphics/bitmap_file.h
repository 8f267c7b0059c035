// Windows BMP files read into a top-down pixel buffer, and the palette text file.
#pragma once
#include <cstdint>
#include <vector>

#include "graphics/display.h"

struct BitmapFileHeader {
    uint16_t bfType = 0;
    uint32_t bfSize = 0;
    uint16_t bfReserved1 = 0, bfReserved2 = 0;
    uint32_t bfOffBits = 0;
};

struct BitmapInfoHeader {
    uint32_t biSize = 0;
    int32_t biWidth = 0, biHeight = 0;
    uint16_t biPlanes = 0, biBitCount = 0;
    uint32_t biCompression = 0, biSizeImage = 0;
    int32_t biXPelsPerMeter = 0, biYPelsPerMeter = 0;
    uint32_t biClrUsed = 0, biClrImportant = 0;
};

struct BitmapFile {
    BitmapFileHeader file_header;
    BitmapInfoHeader info_header;
    PaletteEntry palette[256]{};
    std::vector<uint8_t> buffer;  // top row first; empty when nothing is loaded
    char name[128] = {};  // the file last loaded, for messages
};

// Largest picture accepted, in pixels per side.
constexpr int BITMAP_MAX_SIDE = 8192;

// 1 when loaded, 0 on any failure (one line on stderr names the file and the fault).
int load_bitmap_file(BitmapFile* bitmap, const char* filename);
int unload_bitmap_file(BitmapFile* bitmap);
// Lets every file's fault be reported again (each is reported once per run).
void forget_bitmap_reports();
int flip_bitmap_rows(uint8_t* image, int bytes_per_row, int rows);
