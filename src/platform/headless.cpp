// The headless backend: no window, no sound device, a virtual clock, frames kept for dumps.
#include "platform/headless.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "platform/backend.h"
#include "platform/bmp_write.h"
#include "platform/png_write.h"

namespace platform {
namespace {
uint32_t virtual_ms = 0;
PresentedFrame presented;
}  // namespace

const PresentedFrame& last_presented_frame() { return presented; }

void set_virtual_clock(uint32_t ms) { virtual_ms = ms; }

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

void sleep_until(uint32_t tick) {
    if (static_cast<int32_t>(tick - virtual_ms) > 0) virtual_ms = tick;
}

void present(const Surface& frame, const PaletteEntry palette[256]) {
    presented.width = frame.width;
    presented.height = frame.height;
    presented.pixels.resize(static_cast<size_t>(frame.width) * frame.height);
    for (int y = 0; y < frame.height; ++y)
        std::copy_n(&frame.pixels[static_cast<size_t>(y) * frame.pitch], frame.width, &presented.pixels[static_cast<size_t>(y) * frame.width]);
    // Kept as 8-bit pixels and their palette: a dump writes them as they are, and nothing
    // else reads a presented frame, so none is converted to 32-bit colour here.
    std::copy_n(palette, 256, presented.palette);
    ++presented.count;
}

}  // namespace headless_backend

bool write_presented_frame_bmp(const char* path) {
    const PresentedFrame& p = presented;
    if (p.width <= 0) return false;
    const std::string_view name = path;
    if (name.size() > 4 && name.substr(name.size() - 4) == ".png")
        return write_png8(path, p.width, p.height, p.pixels.data(), p.width, p.palette, false);
    return write_bmp8(path, p.width, p.height, p.pixels.data(), p.width, p.palette);
}

}  // namespace platform

namespace platform {

std::string presented_frame_hash_text() {
    const PresentedFrame& p = presented;
    uint64_t hash = 0xcbf29ce484222325ull;
    auto mix = [&hash](uint8_t byte) { hash = (hash ^ byte) * 0x100000001b3ull; };
    for (int value : {p.width, p.height})
        for (int shift = 0; shift < 32; shift += 8) mix(static_cast<uint8_t>(value >> shift));
    for (uint8_t v : p.pixels) mix(v);
    for (const PaletteEntry& e : p.palette) {
        mix(e.red);
        mix(e.green);
        mix(e.blue);
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

}  // namespace platform
