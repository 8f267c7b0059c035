// Which rows of the frame changed since the last one shown, so a window sends only those.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace platform {

// Rows first..last-1 of the frame.
struct RowBand {
    int first;
    int last;
};

constexpr int ROW_BANDS_MAX = 16;

// The frame and palette last shown; empty until the first frame and after forget_shown_frame.
struct ShownFrame {
    std::vector<uint8_t> pixels;  // width * height, packed
    PaletteEntry palette[256];
    int width = 0;
    int height = 0;
};

// Compares the frame with the one last shown and remembers it as shown. Writes the bands of
// changed rows (at most ROW_BANDS_MAX: when there are more, neighbours are merged across the
// smallest gaps) and returns their count, 0 when nothing changed. A new palette, a new size
// or nothing remembered makes the whole frame one band.
int changed_row_bands(ShownFrame& shown, const Surface& frame, const PaletteEntry palette[256], RowBand bands[ROW_BANDS_MAX]);

// Makes the next comparison report the whole frame (the window's pixels were lost or moved).
void forget_shown_frame(ShownFrame& shown);

}  // namespace platform
