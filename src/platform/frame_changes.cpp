// Row-by-row comparison of a frame with the one last shown.
#include "platform/frame_changes.h"

#include <cstring>

namespace platform {
namespace {

// Joins the two neighbouring bands with the smallest gap between them.
void merge_closest(RowBand bands[], int& count) {
    int best = 1;
    for (int i = 2; i < count; ++i)
        if (bands[i].first - bands[i - 1].last < bands[best].first - bands[best - 1].last) best = i;
    bands[best - 1].last = bands[best].last;
    std::memmove(&bands[best], &bands[best + 1], static_cast<size_t>(count - best - 1) * sizeof(RowBand));
    --count;
}

}  // namespace

int changed_row_bands(ShownFrame& shown, const Surface& frame, const PaletteEntry palette[256], RowBand bands[ROW_BANDS_MAX]) {
    const int width = frame.width, height = frame.height;
    if (width <= 0 || height <= 0) return 0;
    const size_t row_bytes = static_cast<size_t>(width);
    const bool whole = shown.width != width || shown.height != height ||
                       std::memcmp(shown.palette, palette, sizeof shown.palette) != 0;
    if (whole) {
        shown.width = width;
        shown.height = height;
        shown.pixels.resize(row_bytes * static_cast<size_t>(height));
        std::memcpy(shown.palette, palette, sizeof shown.palette);
    }
    int count = 0;
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = frame.pixels.data() + static_cast<size_t>(y) * frame.pitch;
        uint8_t* kept = shown.pixels.data() + static_cast<size_t>(y) * row_bytes;
        if (!whole && std::memcmp(kept, row, row_bytes) == 0) continue;
        std::memcpy(kept, row, row_bytes);
        if (count > 0 && bands[count - 1].last == y) {
            bands[count - 1].last = y + 1;
            continue;
        }
        if (count == ROW_BANDS_MAX) merge_closest(bands, count);
        bands[count++] = RowBand{y, y + 1};
    }
    return count;
}

void forget_shown_frame(ShownFrame& shown) {
    shown.width = 0;
    shown.height = 0;
}

}  // namespace platform
