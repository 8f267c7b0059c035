// The pool of shared frame sheets: each distinct set of cut frames held once, counted by its users.
#include "graphics/frame_sheet.h"

#include <cstring>

namespace {

// Raw pointers only: the pool needs no destructor, so sprites in other globals can still let
// go of their sheets while the program shuts down.
FrameSheet* sheets[FRAME_SHEET_POOL_SIZE];

int cell_x(const FrameCut& cut, int i) { return (i % cut.columns) * cut.width; }
int cell_y(const FrameCut& cut, int i) { return (i / cut.columns) * cut.height; }

const uint8_t* bitmap_row(const FrameCut& cut, int x, int y) {
    return &cut.bitmap->buffer[static_cast<size_t>(y) * cut.bitmap->info_header.biWidth + x];
}

// Whether the sheet was cut the same way from the same pixels: then it shows what a fresh cut would.
bool sheet_matches(const FrameSheet& sheet, const FrameCut& cut, int surface_width, uint8_t key) {
    if (sheet.count != cut.count) return false;
    for (int i = 0; i < cut.count; ++i) {
        const Surface& f = sheet.frames[i];
        if (f.width != surface_width || f.height != cut.height || f.color_key != key) return false;
        for (int row = 0; row < cut.height; ++row)
            if (std::memcmp(&f.pixels[static_cast<size_t>(row) * f.pitch], bitmap_row(cut, cell_x(cut, i), cell_y(cut, i) + row), cut.width))
                return false;
    }
    return true;
}

}  // namespace

bool cell_inside_bitmap(const FrameCut& cut, int x, int y) {
    const BitmapFile* b = cut.bitmap;
    if (!b || b->info_header.biBitCount != 8) return false;
    const int bw = b->info_header.biWidth, bh = b->info_header.biHeight;
    return b->buffer.size() >= static_cast<size_t>(bw) * bh && x >= 0 && y >= 0 && x <= bw - cut.width && y <= bh - cut.height;
}

void copy_cell(Surface& frame, const FrameCut& cut, int x, int y) {
    for (int row = 0; row < cut.height; ++row)
        std::memcpy(&frame.pixels[static_cast<size_t>(row) * frame.pitch], bitmap_row(cut, x, y + row), cut.width);
    platform::measure_rows(frame);
}

FrameSheet* acquire_frame_sheet(const FrameCut& cut, int surface_width, uint8_t key) {
    if (!cut.bitmap || cut.columns < 1 || cut.count < 1 || cut.count > SPRITE_MAX_FRAMES) return nullptr;
    for (int i = 0; i < cut.count; ++i)
        if (!cell_inside_bitmap(cut, cell_x(cut, i), cell_y(cut, i))) return nullptr;
    FrameSheet** free_slot = nullptr;
    for (FrameSheet*& slot : sheets) {
        if (!slot) {
            if (!free_slot) free_slot = &slot;
        } else if (sheet_matches(*slot, cut, surface_width, key)) {
            ++slot->users;
            return slot;
        }
    }
    if (!free_slot) return nullptr;
    auto* sheet = new FrameSheet;
    sheet->count = cut.count;
    for (int i = 0; i < cut.count; ++i) {
        Surface& f = sheet->frames[i];
        if (!platform::create_surface(f, surface_width, cut.height)) {
            delete sheet;
            return nullptr;
        }
        platform::set_color_key(f, key);
        copy_cell(f, cut, cell_x(cut, i), cell_y(cut, i));
    }
    sheet->users = 1;
    *free_slot = sheet;
    return sheet;
}

void release_frame_sheet(FrameSheet* sheet) {
    if (!sheet || --sheet->users > 0) return;
    for (FrameSheet*& slot : sheets)
        if (slot == sheet) slot = nullptr;
    delete sheet;
}

int frame_sheets_in_use() {
    int n = 0;
    for (const FrameSheet* s : sheets) n += s != nullptr;
    return n;
}
