// Drawing on surfaces: keyed and stretched blits against a pixel-by-pixel reference, and text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "platform/glyph_atlas.h"
#include "platform/surface.h"
#include "platform/text.h"
#include "platform/text_render.h"
#include "test_files.h"

using platform::Rect;
using platform::Surface;

namespace {

// Every destination pixel of `to` inside the clip samples source pixel (i * sw / dw, j * sh / dh)
// of `from` and takes it unless it is the key: at the same size, every source pixel tested
// against the key one by one.
void reference_stretch(Surface& dst, const Rect& to, const Surface& src, const Rect& from) {
    const int dw = to.right - to.left, dh = to.bottom - to.top, sw = from.right - from.left, sh = from.bottom - from.top;
    for (int j = 0; j < dh; ++j)
        for (int i = 0; i < dw; ++i) {
            const int dx = to.left + i, dy = to.top + j;
            if (dx < dst.clip.left || dx >= dst.clip.right || dy < dst.clip.top || dy >= dst.clip.bottom) continue;
            const uint8_t v = src.pixels[static_cast<size_t>(from.top + j * sh / dh) * src.pitch + from.left + i * sw / dw];
            if (!src.has_color_key || v != src.color_key) dst.pixels[static_cast<size_t>(dy) * dst.pitch + dx] = v;
        }
}

// A sprite-like picture: rows of transparent margins, opaque runs and scattered holes.
Surface random_picture(std::mt19937& rng, uint8_t key) {
    Surface s;
    platform::create_surface(s, 1 + static_cast<int>(rng() % 40), 1 + static_cast<int>(rng() % 40));
    platform::set_color_key(s, key);
    const int style = static_cast<int>(rng() % 4);
    for (int y = 0; y < s.height; ++y) {
        const int a = static_cast<int>(rng() % (s.width + 1)), b = static_cast<int>(rng() % (s.width + 1));
        for (int x = 0; x < s.width; ++x) {
            uint8_t v = static_cast<uint8_t>(rng());
            if (style == 0) v = v == key ? static_cast<uint8_t>(key + 1) : v;  // fully opaque
            if (style == 1 && (x < std::min(a, b) || x >= std::max(a, b))) v = key;  // margins
            if (style == 2 && rng() % 3 == 0) v = key;  // holes anywhere
            s.pixels[static_cast<size_t>(y) * s.pitch + x] = v;
        }
    }
    return s;
}

// A w x h surface of random pixels, clipped to a random rectangle up to `margin` in from each edge.
Surface random_destination(std::mt19937& rng, int w, int h, int margin) {
    Surface s;
    platform::create_surface(s, w, h);
    for (uint8_t& p : s.pixels) p = static_cast<uint8_t>(rng());
    const int left = static_cast<int>(rng() % margin), top = static_cast<int>(rng() % margin);
    platform::set_clip(s, Rect{left, top, w - static_cast<int>(rng() % margin), h - static_cast<int>(rng() % margin)});
    return s;
}

// The atlas as the data generator writes it for the browser build.
std::vector<uint8_t> atlas_file_bytes() {
    TempDir dir;
    EXPECT_EQ(run_program(quoted(QUILLMOOR_ASSETGEN) + " --text-face " + quoted(dir.path.string())).exit_status, 0);
    const std::string text = read_text(dir.file(platform::GLYPH_ATLAS_FILE));
    return std::vector<uint8_t>(text.begin(), text.end());
}

// A 30-pixel-high surface with padded rows, filled with `fill`; every other trial with a random
// clip rectangle that may reach past any edge.
platform::Surface text_surface(int width, uint8_t fill, int trial) {
    platform::Surface s;
    s.width = width;
    s.height = 30;
    s.pitch = width + 6;
    s.pixels.assign(static_cast<size_t>(s.pitch) * s.height, fill);
    s.has_clip = trial % 2 == 1;
    s.clip = platform::Rect{std::rand() % 20, std::rand() % 10, width / 2 + std::rand() % width, 15 + std::rand() % 20};
    return s;
}

}  // namespace

TEST(SurfaceFastBlit, MeasuredAndStretchedPicturesDrawExactlyAsEveryPixelSampled) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 3000; ++round) {
        const uint8_t key = round % 2 ? 0 : static_cast<uint8_t>(rng());
        Surface src = random_picture(rng, key);
        Surface unmeasured = src;
        platform::measure_rows(src);
        Surface fast = random_destination(rng, 64, 48, 8), slow = fast, expected = fast;
        const int left = static_cast<int>(rng() % 110) - 45, top = static_cast<int>(rng() % 100) - 45;
        const Rect to{left, top, left + src.width, top + src.height}, from{0, 0, src.width, src.height};
        platform::blit_keyed(fast, to, src, from);
        platform::blit_keyed(slow, to, unmeasured, from);
        reference_stretch(expected, to, src, from);
        ASSERT_EQ(fast.pixels, expected.pixels) << "round " << round;
        ASSERT_EQ(slow.pixels, expected.pixels) << "round " << round;
    }

    // Stretches draw exactly as every pixel sampled.
    rng.seed(99);
    for (int round = 0; round < 3000; ++round) {
        const uint8_t key = static_cast<uint8_t>(rng());
        Surface src = random_picture(rng, key);
        if (round % 3 == 0) src.has_color_key = false;
        if (round % 2 == 0) platform::measure_rows(src);
        // Part of the picture, stretched 2 or 3 (sometimes 1, 4 or 5) times across, and down by
        // the same or some other factor, now and then to any size, over a clipped destination.
        const int sl = static_cast<int>(rng() % src.width), st = static_cast<int>(rng() % src.height);
        const Rect from{sl, st, sl + 1 + static_cast<int>(rng() % (src.width - sl)), st + 1 + static_cast<int>(rng() % (src.height - st))};
        const int k = round % 4 < 2 ? 2 + round % 2 : 1 + static_cast<int>(rng() % 5);
        const int down = rng() % 3 ? k : 1 + static_cast<int>(rng() % 4);
        const int dw = rng() % 5 ? (from.right - from.left) * k : 1 + static_cast<int>(rng() % 90);
        const int dh = rng() % 5 ? (from.bottom - from.top) * down : 1 + static_cast<int>(rng() % 90);
        Surface fast = random_destination(rng, 160, 120, 30), expected = fast;
        const int left = static_cast<int>(rng() % 260) - 150, top = static_cast<int>(rng() % 200) - 120;
        const Rect to{left, top, left + dw, top + dh};
        ASSERT_TRUE(platform::blit_keyed(fast, to, src, from));
        reference_stretch(expected, to, src, from);
        ASSERT_EQ(fast.pixels, expected.pixels) << "round " << round << ", " << k << " times across";
    }
}

// Only pictures without a key pixel count as opaque; blits far off the surface, or with bad
// sources, draw nothing; a fill is cut to the surface.
TEST(Surface, OnlyPicturesWithoutAKeyPixelCountAsOpaqueAndBadBlitsDrawNothing) {
    Surface s;
    platform::create_surface(s, 8, 2);
    platform::set_color_key(s, 0);
    std::fill(s.pixels.begin(), s.pixels.end(), 5);
    platform::measure_rows(s);
    EXPECT_TRUE(s.opaque);
    s.pixels[15] = 0;
    platform::measure_rows(s);
    EXPECT_FALSE(s.opaque);
    // A new key forgets the measure: nothing is taken as known until it is measured again.
    platform::set_color_key(s, 5);
    EXPECT_FALSE(s.opaque);
    EXPECT_TRUE(s.row_spans.empty());

    Surface src, dst;
    platform::create_surface(src, 4, 4);
    for (int i = 0; i < 16; ++i) src.pixels[i] = static_cast<uint8_t>(1 + i);
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

// The generated file holds the face the desktop renders, and a damaged one is refused with a reason.
TEST(GlyphAtlas, TheGeneratedFileHoldsTheDesktopFaceADamagedOneIsRefusedAndTextIsCutExactlyAtEveryEdge) {
    platform::GlyphAtlas rendered;
    ASSERT_TRUE(platform::render_glyph_atlas(rendered));
    const std::vector<uint8_t> good = atlas_file_bytes();
    platform::GlyphAtlas loaded;
    const char* fault = nullptr;
    ASSERT_TRUE(platform::decode_glyph_atlas(good.data(), good.size(), loaded, &fault)) << fault;
    EXPECT_EQ(loaded.line_height, rendered.line_height);
    int drawn = 0;
    for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(loaded.glyphs[c].width, rendered.glyphs[c].width) << c;
        EXPECT_EQ(loaded.glyphs[c].height, rendered.glyphs[c].height) << c;
        EXPECT_EQ(loaded.glyphs[c].mask, rendered.glyphs[c].mask) << c;
        for (uint8_t m : loaded.glyphs[c].mask) drawn += m;
    }
    EXPECT_GT(drawn, 1000) << "the face has ink";

    std::vector<std::vector<uint8_t>> damaged;
    for (size_t cut : {size_t(0), size_t(5), size_t(9), size_t(11), good.size() / 2, good.size() - 1})
        damaged.emplace_back(good.begin(), good.begin() + static_cast<long>(cut));
    damaged.push_back(good);
    damaged.back()[0] = 'X';
    damaged.push_back(good);
    damaged.back().push_back(0);
    // The first mask byte of the first glyph with ink.
    damaged.push_back(good);
    size_t at = 10;
    while (damaged.back()[at] == 0 || damaged.back()[at + 1] == 0) at += 2 + damaged.back()[at] * damaged.back()[at + 1];
    damaged.back()[at + 2] = 7;
    for (const std::vector<uint8_t>& bytes : damaged) {
        platform::GlyphAtlas atlas;
        fault = nullptr;
        EXPECT_FALSE(platform::decode_glyph_atlas(bytes.data(), bytes.size(), atlas, &fault)) << bytes.size();
        EXPECT_NE(fault, nullptr);
    }

    // Text drawn partly off any edge of a surface, or of its clip rectangle, sets exactly the pixels
    // a pixel-by-pixel reference sets; outlined text in one pass sets the same pixels as the outline
    // drawn at the eight offsets and the text over it.
    platform::GlyphAtlas atlas;
    ASSERT_TRUE(platform::render_glyph_atlas(atlas));
    const platform::GlyphAtlas reference = atlas;
    platform::use_glyph_atlas(std::move(atlas));
    std::srand(5);
    const char* texts[] = {"Lives: 10", "Wg|", "\xE9t\xE9 \x80"};
    const char* outlined_texts[] = {"Lives: 10", "Lord Hogrand", "i|l.", ""};
    for (int trial = 0; trial < 300; ++trial) {
        platform::Surface s = text_surface(60, 0, trial);
        const char* text = texts[trial % 3];
        const int x = std::rand() % 100 - 40, y = std::rand() % 50 - 20;
        std::vector<uint8_t> expected = s.pixels;
        const platform::Rect area = platform::drawable_area(s);
        int pen = x;
        for (const char* p = text; *p; ++p) {
            const platform::Glyph& g = reference.glyphs[static_cast<uint8_t>(*p)];
            for (int gy = 0; gy < g.height; ++gy)
                for (int gx = 0; gx < g.width; ++gx) {
                    const int px = pen + gx, py = y + gy;
                    if (px >= area.left && px < area.right && py >= area.top && py < area.bottom && g.mask[static_cast<size_t>(gy) * g.width + gx])
                        expected[static_cast<size_t>(py) * s.pitch + px] = 7;
                }
            pen += g.width;
        }
        platform::draw_text(s, text, x, y, 7);
        ASSERT_EQ(s.pixels, expected) << "trial " << trial << " at " << x << "," << y;

        platform::Surface outlined = text_surface(90, 3, trial);
        platform::Surface copies = outlined;
        const char* words = outlined_texts[trial % 4];
        const int ox = std::rand() % 130 - 40, oy = std::rand() % 50 - 20;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (dx || dy) platform::draw_text(copies, words, ox + dx, oy + dy, 9);
        platform::draw_text(copies, words, ox, oy, 7);
        EXPECT_TRUE(platform::draw_text_outlined(outlined, words, ox, oy, 7, 9));
        ASSERT_EQ(outlined.pixels, copies.pixels) << "trial " << trial << " at " << ox << "," << oy;
    }
    platform::forget_glyph_atlas();
}
