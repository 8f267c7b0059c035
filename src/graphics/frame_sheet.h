// Frames cut once from a picture and drawn, read-only, by every sprite that shows the same ones.
#pragma once
#include <cstdint>

#include "graphics/bitmap_file.h"
#include "graphics/display.h"

// Frame table size: 64 frames for any sprite, plus room for the 70-tile tile set.
constexpr int SPRITE_MAX_FRAMES = 80;
// Sheets alive at once: one per kind of pooled enemy picture, with room to spare. When all
// are taken, a sprite cuts frames of its own instead.
constexpr int FRAME_SHEET_POOL_SIZE = 8;

struct FrameSheet {
    int users = 0;  // sprites drawing from it; it is freed when the last one lets go
    int count = 0;
    Surface frames[SPRITE_MAX_FRAMES];
};

// Where a sprite's frames come from: frame i is the width x height cell at column
// i % columns, row i / columns of `bitmap`.
struct FrameCut {
    const BitmapFile* bitmap = nullptr;
    int width = 0, height = 0;
    int count = 0, columns = 1;
};

// Whether the pixel rectangle at (x, y) of the cut's size lies inside an 8-bit bitmap that holds its pixels.
bool cell_inside_bitmap(const FrameCut& cut, int x, int y);
// Copies the cell at pixel (x, y) into the top-left of `frame` (width x height pixels) and
// measures its rows for keyed blits. The cell must lie inside the bitmap.
void copy_cell(Surface& frame, const FrameCut& cut, int x, int y);

// A pooled sheet holding exactly the cut's frames on surfaces `surface_width` pixels wide
// with colour key `key`, found or else made and cut; its user count is raised. Null when
// the cut has a cell outside the bitmap, or every sheet of the pool is taken.
FrameSheet* acquire_frame_sheet(const FrameCut& cut, int surface_width, uint8_t key);
// Drops one user; the last one frees the sheet and its slot.
void release_frame_sheet(FrameSheet* sheet);
// Sheets alive now (0 whenever no sprite shares frames).
int frame_sheets_in_use();
