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
        for (int gy = 0; gy < g.height; ++gy) {
            int py = y + gy;
            if (py < top || py >= bottom) continue;
            for (int gx = 0; gx < g.width; ++gx) {
                int px = x + gx;
                if (px >= left && px < right && g.mask[static_cast<size_t>(gy) * g.width + gx]) s.pixels[static_cast<size_t>(py) * s.pitch + px] = index;
            }
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
