// The glyph atlas the data generator writes carries the desktop's text face exactly, and a
// damaged atlas is refused with a reason instead of being drawn from.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/glyph_atlas.h"
#include "platform/text_render.h"
#include "test_files.h"

namespace {

// The atlas as the data generator writes it for the browser build.
std::vector<uint8_t> atlas_file_bytes() {
    TempDir dir;
    const std::string command = std::string("'") + QUILLMOOR_ASSETGEN + "' --text-face '" + dir.path.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    const std::string text = read_text(dir.file(platform::GLYPH_ATLAS_FILE));
    return std::vector<uint8_t>(text.begin(), text.end());
}

}  // namespace

TEST(GlyphAtlas, TheGeneratedFileHoldsTheFaceTheDesktopRenders) {
    platform::GlyphAtlas rendered;
    ASSERT_TRUE(platform::render_glyph_atlas(rendered));
    const std::vector<uint8_t> bytes = atlas_file_bytes();
    platform::GlyphAtlas loaded;
    const char* fault = nullptr;
    ASSERT_TRUE(platform::decode_glyph_atlas(bytes.data(), bytes.size(), loaded, &fault)) << fault;
    EXPECT_EQ(loaded.line_height, rendered.line_height);
    int drawn = 0;
    for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(loaded.glyphs[c].width, rendered.glyphs[c].width) << c;
        EXPECT_EQ(loaded.glyphs[c].height, rendered.glyphs[c].height) << c;
        EXPECT_EQ(loaded.glyphs[c].mask, rendered.glyphs[c].mask) << c;
        for (uint8_t m : loaded.glyphs[c].mask) drawn += m;
    }
    EXPECT_GT(drawn, 1000) << "the face has ink";
}

TEST(GlyphAtlas, ADamagedAtlasIsRefusedWithAReason) {
    const std::vector<uint8_t> good = atlas_file_bytes();
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
        const char* fault = nullptr;
        EXPECT_FALSE(platform::decode_glyph_atlas(bytes.data(), bytes.size(), atlas, &fault)) << bytes.size();
        EXPECT_NE(fault, nullptr);
    }
}
