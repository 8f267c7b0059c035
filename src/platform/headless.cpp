// The headless backend: no window, no sound device, a virtual clock, frames kept for dumps.
#include "platform/headless.h"

#include <algorithm>
#include <cstdio>

#include "platform/backend.h"
#include "platform/frame_convert.h"

namespace platform {
namespace {
uint32_t virtual_ms = 0;
PresentedFrame presented;
}  // namespace

const PresentedFrame& last_presented_frame() { return presented; }

namespace headless_backend {

bool init(const Config&) {
    virtual_ms = 0;
    presented = PresentedFrame{};
    return true;
}

void shutdown() {}

uint32_t tick_count() { return virtual_ms; }

// Time only moves when the game waits, so frames run as fast as the CPU allows.
void sleep_ms(uint32_t ms) { virtual_ms += ms ? ms : 1; }

void present(const Surface& frame, const PaletteEntry palette[256]) {
    presented.width = frame.width;
    presented.height = frame.height;
    presented.pixels.resize(static_cast<size_t>(frame.width) * frame.height);
    for (int y = 0; y < frame.height; ++y)
        std::copy_n(&frame.pixels[static_cast<size_t>(y) * frame.pitch], frame.width, &presented.pixels[static_cast<size_t>(y) * frame.width]);
    std::copy_n(palette, 256, presented.palette);
    presented.rgb.resize(presented.pixels.size());
    convert_frame(frame, palette, presented.rgb.data(), frame.width);
    ++presented.count;
}

}  // namespace headless_backend

namespace {
void put16(FILE* f, uint32_t v) {
    std::fputc(v & 0xFF, f);
    std::fputc((v >> 8) & 0xFF, f);
}
void put32(FILE* f, uint32_t v) {
    put16(f, v & 0xFFFF);
    put16(f, v >> 16);
}
}  // namespace

bool write_presented_frame_bmp(const char* path) {
    const PresentedFrame& p = presented;
    if (p.width <= 0) return false;
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    const int row = (p.width + 3) & ~3;
    const uint32_t image = static_cast<uint32_t>(row * p.height), offset = 14 + 40 + 1024;
    std::fputc('B', f);
    std::fputc('M', f);
    put32(f, offset + image);
    put32(f, 0);
    put32(f, offset);
    put32(f, 40);
    put32(f, static_cast<uint32_t>(p.width));
    put32(f, static_cast<uint32_t>(p.height));
    put16(f, 1);
    put16(f, 8);
    put32(f, 0);
    put32(f, image);
    put32(f, 2835);
    put32(f, 2835);
    put32(f, 256);
    put32(f, 0);
    for (const PaletteEntry& e : p.palette) {
        std::fputc(e.blue, f);
        std::fputc(e.green, f);
        std::fputc(e.red, f);
        std::fputc(0, f);
    }
    for (int y = p.height - 1; y >= 0; --y) {
        std::fwrite(&p.pixels[static_cast<size_t>(y) * p.width], 1, p.width, f);
        for (int pad = p.width; pad < row; ++pad) std::fputc(0, f);
    }
    return std::fclose(f) == 0;
}

}  // namespace platform
