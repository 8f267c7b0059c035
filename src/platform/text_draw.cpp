// Drawing text from the installed glyph atlas, the same on every backend.
#include <algorithm>
#include <utility>

#include "platform/glyph_atlas.h"
#include "platform/text.h"

namespace platform {
namespace {

constexpr int FONT_PIXELS = 14;  // the face's size; widths are estimated from it without a face

GlyphAtlas face;
bool loaded = false;

}  // namespace

void use_glyph_atlas(GlyphAtlas&& atlas) {
    face = std::move(atlas);
    loaded = true;
}

void forget_glyph_atlas() {
    face = GlyphAtlas{};
    loaded = false;
}

bool glyph_atlas_loaded() { return loaded; }

bool draw_text(Surface& s, const char* text, int x, int y, uint8_t index) {
    if (!loaded || !text) return false;
    int left = 0, top = 0, right = s.width, bottom = s.height;
    if (s.has_clip) {
        left = std::max(left, s.clip.left);
        top = std::max(top, s.clip.top);
        right = std::min(right, s.clip.right);
        bottom = std::min(bottom, s.clip.bottom);
    }
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        const Glyph& g = face.glyphs[*p];
        // The glyph's rows and columns inside the drawable area, worked out once per glyph.
        const int gx0 = std::max(0, left - x), gx1 = std::min(g.width, right - x);
        const int gy0 = std::max(0, top - y), gy1 = std::min(g.height, bottom - y);
        for (int gy = gy0; gy < gy1; ++gy) {
            const uint8_t* mask = g.mask.data() + static_cast<size_t>(gy) * g.width;
            uint8_t* row = s.pixels.data() + static_cast<size_t>(y + gy) * s.pitch;
            for (int gx = gx0; gx < gx1; ++gx)
                if (mask[gx]) row[x + gx] = index;
        }
        x += g.width;
    }
    return true;
}

int text_width(const char* text, int length) {
    int w = 0;
    for (int i = 0; i < length && text[i]; ++i) {
        const Glyph& g = face.glyphs[static_cast<unsigned char>(text[i])];
        w += loaded ? g.width : FONT_PIXELS * 2 / 3;
    }
    return w;
}

int text_line_height() { return loaded ? face.line_height : FONT_PIXELS + 2; }

}  // namespace platform
