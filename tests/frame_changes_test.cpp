// A window sent only the changed rows of each frame, band by band onto a kept picture, shows exactly the frame.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/frame_changes.h"
#include "platform/frame_convert.h"

using namespace platform;

constexpr int W = 64, H = 48, SCALE = 2;

TEST(FrameChanges, PictureSentInChangedBandsAlwaysEqualsTheWholeFrame) {
    std::mt19937 rng(7);
    PaletteEntry palette[256];
    for (int i = 0; i < 256; ++i) palette[i] = PaletteEntry{uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0};
    Surface frame;
    frame.width = W, frame.height = H, frame.pitch = W + 3;  // a pitch wider than the row, as padded surfaces have
    frame.pixels.assign(static_cast<size_t>(frame.pitch) * H, 0);
    ShownFrame shown;
    std::vector<uint32_t> window(static_cast<size_t>(W * SCALE) * H * SCALE, 0);
    std::vector<uint32_t> whole(window.size());
    for (int step = 0; step < 400; ++step) {
        // Mostly a few rows change; sometimes many (a scroll), sometimes none, sometimes the palette.
        const int kind = static_cast<int>(rng() % 10);
        const int rows = kind == 0 ? 0 : kind == 1 ? H : static_cast<int>(rng() % 30);
        for (int r = 0; r < rows; ++r) {
            const int y = static_cast<int>(rng() % H);
            frame.pixels[static_cast<size_t>(y) * frame.pitch + rng() % W] = static_cast<uint8_t>(rng());
        }
        if (kind == 2) palette[rng() % 256].red ^= 0x40;
        if (step == 200) forget_shown_frame(shown);

        uint32_t lookup[256];
        argb_lookup(palette, lookup);
        RowBand bands[ROW_BANDS_MAX];
        const int count = changed_row_bands(shown, frame, palette, bands);
        ASSERT_LE(count, ROW_BANDS_MAX);
        for (int b = 0; b < count; ++b) {
            ASSERT_LT(bands[b].first, bands[b].last);
            if (b) {
                ASSERT_LT(bands[b - 1].last, bands[b].first) << "bands overlap or touch";
            }
            convert_rows_scaled(frame, lookup, window.data(), W * SCALE, SCALE, bands[b].first, bands[b].last);
        }
        convert_frame_scaled(frame, lookup, whole.data(), W * SCALE, SCALE);
        ASSERT_EQ(window, whole) << "step " << step;
        if (kind == 0) {
            EXPECT_EQ(count, 0) << "nothing changed, yet rows were sent";
        }
        if (kind == 2 || step == 200) {
            EXPECT_TRUE(count == 1 && bands[0].first == 0 && bands[0].last == H);
        }
    }
}

// Every window pixel is its frame pixel's colour, at any whole scale, wherever the picture sits
// in the window's rows (letterboxing puts it off any alignment), and nothing outside the picture
// is touched.
TEST(FrameChanges, ScaledConversionFillsExactlyThePictureAtAnyScaleAndOffset) {
    std::mt19937 rng(11);
    Surface frame;
    frame.width = 601, frame.height = 5, frame.pitch = 608;
    frame.pixels.resize(static_cast<size_t>(frame.pitch) * frame.height);
    for (uint8_t& p : frame.pixels) p = static_cast<uint8_t>(rng());
    uint32_t lookup[256];
    for (int i = 0; i < 256; ++i) lookup[i] = 0xFF000000u | static_cast<uint32_t>(i * 0x010305);
    constexpr uint32_t GUARD = 0x12345678u;
    for (int scale : {1, 2, 3, 9}) {
        for (int offset : {0, 1, 3}) {
            const int out_w = frame.width * scale, pitch = out_w + 5;
            std::vector<uint32_t> window(static_cast<size_t>(pitch) * (frame.height * scale + 1) + 8, GUARD);
            convert_frame_scaled(frame, lookup, window.data() + offset, pitch, scale);
            for (size_t i = 0; i < window.size(); ++i) {
                const long at = static_cast<long>(i) - offset;
                const long y = at / pitch, x = at % pitch;
                const bool inside = at >= 0 && x < out_w && y < frame.height * scale;
                const uint32_t want = inside ? lookup[frame.pixels[static_cast<size_t>(y / scale) * frame.pitch + x / scale]] : GUARD;
                ASSERT_EQ(window[i], want) << "scale " << scale << " offset " << offset << " at " << x << "," << y;
            }
        }
    }
}
