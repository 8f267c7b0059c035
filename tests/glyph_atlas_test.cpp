// The glyph atlas the data generator writes carries the desktop's text face exactly, and a
// damaged atlas is refused with a reason instead of being drawn from.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/glyph_atlas.h"
#include "platform/surface.h"
#include "platform/text.h"
#include "platform/text_render.h"
#include "test_files.h"

namespace {

// The atlas as the data generator writes it for the browser build.
std::vector<uint8_t> atlas_file_bytes() {
    TempDir dir;
    EXPECT_EQ(run_program(quoted(QUILLMOOR_ASSETGEN) + " --text-face " + quoted(dir.path.string())).exit_status, 0);
    const std::string text = read_text(dir.file(platform::GLYPH_ATLAS_FILE));
    return std::vector<uint8_t>(text.begin(), text.end());
}

}  // namespace

// The generated file holds the face the desktop renders, and a damaged one is refused with a reason.
TEST(GlyphAtlas, TheGeneratedFileHoldsTheFaceTheDesktopRendersAndADamagedOneIsRefused) {
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
}

namespace {

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

// Text drawn partly off any edge of a surface, or of its clip rectangle, sets exactly the pixels
// a pixel-by-pixel reference sets; outlined text in one pass sets the same pixels as the outline
// drawn at the eight offsets and the text over it.
TEST(GlyphAtlas, TextCutAtEveryEdgeMatchesAPixelReferenceAndOutlinedTextEightShiftedCopies) {
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
