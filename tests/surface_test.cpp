// Keyed blits: stretching, and cutting to the destination's clip rectangle.
#include <gtest/gtest.h>

#include "platform/surface.h"

using platform::Rect;
using platform::Surface;

namespace {

Surface numbered(int w, int h) {
    Surface s;
    platform::create_surface(s, w, h);
    for (int i = 0; i < w * h; ++i) s.pixels[i] = static_cast<uint8_t>(1 + i % 250);
    return s;
}

}  // namespace

TEST(Surface, StretchedBlitsSampleTheSamePixelsWhetherCutOrNot) {
    Surface src = numbered(7, 5);
    Surface whole, cut;
    platform::create_surface(whole, 64, 64);
    platform::create_surface(cut, 64, 64);
    platform::set_clip(cut, Rect{13, 9, 40, 30});
    const Rect dst{5, 3, 48, 37};
    ASSERT_TRUE(platform::blit_keyed(whole, dst, src, Rect{0, 0, 7, 5}));
    ASSERT_TRUE(platform::blit_keyed(cut, dst, src, Rect{0, 0, 7, 5}));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool inside = x >= 13 && x < 40 && y >= 9 && y < 30;
            ASSERT_EQ(cut.pixels[y * 64 + x], inside ? whole.pixels[y * 64 + x] : 0) << x << "," << y;
        }
    EXPECT_EQ(whole.pixels[3 * 64 + 5], src.pixels[0]);
    EXPECT_EQ(whole.pixels[36 * 64 + 47], src.pixels[4 * 7 + 6]);
}

TEST(Surface, BlitsFarOffTheSurfaceOrWithBadSourcesDrawNothing) {
    Surface src = numbered(4, 4);
    Surface dst;
    platform::create_surface(dst, 16, 16);
    EXPECT_TRUE(platform::blit_keyed(dst, Rect{-2000000000, 5, -1999999990, 9}, src, Rect{0, 0, 4, 4}));
    EXPECT_TRUE(platform::blit_keyed(dst, Rect{100, 100, 104, 104}, src, Rect{0, 0, 4, 4}));
    EXPECT_FALSE(platform::blit_keyed(dst, Rect{0, 0, 4, 4}, src, Rect{0, 0, 5, 4}));
    EXPECT_FALSE(platform::blit_keyed(dst, Rect{4, 4, 4, 8}, src, Rect{0, 0, 4, 4}));
    for (uint8_t p : dst.pixels) ASSERT_EQ(p, 0);

    platform::fill_surface(dst, nullptr, 0x7);
    const Rect part{-5, 14, 3, 40};
    platform::fill_surface(dst, &part, 0x9);
    EXPECT_EQ(dst.pixels[15 * 16 + 2], 9);
    EXPECT_EQ(dst.pixels[15 * 16 + 3], 7);
}
