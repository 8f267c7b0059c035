// Drawing text from the installed glyph atlas, the same on every backend.
#include <algorithm>
#include <utility>

#include "platform/glyph_atlas.h"
#include "platform/text.h"

namespace platform {
namespace {

constexpr int FONT_PIXELS = 14;  // the face's size; widths are estimated from it without a face
constexpr size_t TEXT_MASK_BYTES = 64 * 1024;  // an outlined string's ink: 640 x 100 pixels and more

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
    const Rect area = drawable_area(s);
    const int left = area.left, top = area.top, right = area.right, bottom = area.bottom;
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

bool draw_text_outlined(Surface& s, const char* text, int x, int y, uint8_t index, uint8_t outline) {
    if (!loaded || !text) return false;
    // The string's ink, with a one-pixel margin all round, in one small mask.
    static uint8_t ink[TEXT_MASK_BYTES];
    int width = 0, height = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        width += face.glyphs[*p].width;
        height = std::max(height, face.glyphs[*p].height);
    }
    const int mask_w = width + 2, mask_h = height + 2;
    if (static_cast<size_t>(mask_w) * static_cast<size_t>(mask_h) > sizeof ink) {
        // Too long for the mask: the outline drawn as eight shifted copies, then the text.
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (dx || dy) draw_text(s, text, x + dx, y + dy, outline);
        return draw_text(s, text, x, y, index);
    }
    std::fill_n(ink, static_cast<size_t>(mask_w) * mask_h, uint8_t{0});
    int pen = 1;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        const Glyph& g = face.glyphs[*p];
        for (int gy = 0; gy < g.height; ++gy)
            std::copy_n(g.mask.data() + static_cast<size_t>(gy) * g.width, g.width, ink + static_cast<size_t>(gy + 1) * mask_w + pen);
        pen += g.width;
    }
    const Rect area = drawable_area(s);
    const int left = area.left, top = area.top, right = area.right, bottom = area.bottom;
    // Mask pixel (u, v) lands on (x - 1 + u, y - 1 + v): ink takes the text's colour, a pixel
    // next to ink (eight ways) the outline's, the rest is left alone.
    const int ox = x - 1, oy = y - 1;
    const int u0 = std::max(0, left - ox), u1 = std::min(mask_w, right - ox);
    const int v0 = std::max(0, top - oy), v1 = std::min(mask_h, bottom - oy);
    for (int v = v0; v < v1; ++v) {
        const uint8_t* row = ink + static_cast<size_t>(v) * mask_w;
        const uint8_t* above = v > 0 ? row - mask_w : nullptr;
        const uint8_t* below = v + 1 < mask_h ? row + mask_w : nullptr;
        uint8_t* out = s.pixels.data() + static_cast<size_t>(oy + v) * s.pitch;
        for (int u = u0; u < u1; ++u) {
            if (row[u]) {
                out[ox + u] = index;
                continue;
            }
            bool near = false;
            for (int du = -1; du <= 1 && !near; ++du) {
                const int n = u + du;
                if (n < 0 || n >= mask_w) continue;
                near = row[n] || (above && above[n]) || (below && below[n]);
            }
            if (near) out[ox + u] = outline;
        }
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
