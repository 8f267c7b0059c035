// What the headless backend keeps for the runner: the last frame presented, in its palette.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

struct PresentedFrame {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;  // top row first
    PaletteEntry palette[256]{};
    int64_t count = 0;  // frames presented so far
};

const PresentedFrame& last_presented_frame();
// Sets the headless clock, so a run can start anywhere, even just before the 32-bit wrap.
void set_virtual_clock(uint32_t ms);
// Writes the last presented frame with its palette: an 8-bit PNG when the name ends in
// ".png", else an 8-bit BMP. False on failure.
bool write_presented_frame_bmp(const char* path);
// 64-bit FNV-1a of the last presented frame's size, 8-bit pixels and palette colours, as
// 16 lower-case hex digits: two runs that present the same picture give the same text.
std::string presented_frame_hash_text();

}  // namespace platform
