// Reading and writing the glyph atlas file.
#include "platform/glyph_atlas.h"

#include <cstring>

#include "base/byte_reader.h"

namespace platform {
namespace {
constexpr char MAGIC[8] = {'Q', 'M', 'G', 'L', 'Y', 'P', 'H', '1'};
}

std::vector<uint8_t> encode_glyph_atlas(const GlyphAtlas& atlas) {
    std::vector<uint8_t> out(MAGIC, MAGIC + sizeof MAGIC);
    out.push_back(static_cast<uint8_t>(atlas.line_height & 0xFF));
    out.push_back(static_cast<uint8_t>((atlas.line_height >> 8) & 0xFF));
    for (const Glyph& g : atlas.glyphs) {
        out.push_back(static_cast<uint8_t>(g.width));
        out.push_back(static_cast<uint8_t>(g.height));
        out.insert(out.end(), g.mask.begin(), g.mask.end());
    }
    return out;
}

bool decode_glyph_atlas(const uint8_t* bytes, size_t size, GlyphAtlas& atlas, const char** fault) {
    if (size < sizeof MAGIC + 2 || std::memcmp(bytes, MAGIC, sizeof MAGIC) != 0) return *fault = "not a glyph atlas", false;
    size_t at = sizeof MAGIC;
    atlas.line_height = read_le16(bytes + at);
    at += 2;
    for (Glyph& g : atlas.glyphs) {
        if (size - at < 2) return *fault = "the glyph atlas is cut short", false;
        g.width = bytes[at];
        g.height = bytes[at + 1];
        at += 2;
        const size_t area = static_cast<size_t>(g.width) * g.height;
        if (size - at < area) return *fault = "the glyph atlas is cut short", false;
        g.mask.assign(bytes + at, bytes + at + area);
        at += area;
        for (uint8_t& m : g.mask)
            if (m > 1) return *fault = "the glyph atlas has a mask value other than 0 or 1", false;
    }
    if (at != size) return *fault = "the glyph atlas has bytes past its last glyph", false;
    return true;
}

}  // namespace platform
