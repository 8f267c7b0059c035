// Text in the browser: the glyph atlas the data generator rendered from the desktop's font,
// so the page draws the very same pixels.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

#include "platform/glyph_atlas.h"
#include "platform/text.h"

namespace platform {

bool text_init() {
    if (glyph_atlas_loaded()) return true;
    std::ifstream in(GLYPH_ATLAS_FILE, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "quillmoor: %s: cannot open the text face\n", GLYPH_ATLAS_FILE);
        return false;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    GlyphAtlas atlas;
    const char* fault = nullptr;
    if (!decode_glyph_atlas(bytes.data(), bytes.size(), atlas, &fault)) {
        std::fprintf(stderr, "quillmoor: %s: %s\n", GLYPH_ATLAS_FILE, fault);
        return false;
    }
    use_glyph_atlas(std::move(atlas));
    return true;
}

void text_shutdown() { forget_glyph_atlas(); }

}  // namespace platform
