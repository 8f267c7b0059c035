// The text face as plain data: one unsmoothed mask per Windows-1252 byte, and the file
// that carries it to builds without a font renderer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

struct Glyph {
    int width = 0, height = 0;  // the advance and the line height, pixels
    std::vector<uint8_t> mask;  // width * height, 1 where the glyph is drawn
};

struct GlyphAtlas {
    int line_height = 0;  // pixels
    Glyph glyphs[256];
};

// The atlas file: "QMGLYPH1", the line height (16-bit little-endian), then per byte value
// 0..255 its width and height (one byte each) and width * height mask bytes (0 or 1).
std::vector<uint8_t> encode_glyph_atlas(const GlyphAtlas& atlas);
// False with `fault` set when the bytes are not a whole, well-formed atlas.
bool decode_glyph_atlas(const uint8_t* bytes, size_t size, GlyphAtlas& atlas, const char** fault);

// The face draw_text uses; text_init of each backend installs one.
void use_glyph_atlas(GlyphAtlas&& atlas);
void forget_glyph_atlas();
bool glyph_atlas_loaded();

// The atlas file's name in the data folder.
constexpr const char* GLYPH_ATLAS_FILE = "font.atlas";

}  // namespace platform
