// Dithered gradients and painted lettering for the full-screen pictures.
#include "screen_paint.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {
constexpr int BAYER[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
}

int dither_pick(int x, int y, double t, const std::vector<int>& colours) {
    if (colours.empty()) return TRANSPARENT;
    int n = static_cast<int>(colours.size());
    double p = std::clamp(t, 0.0, 1.0) * (n - 1);
    int i = static_cast<int>(std::floor(p));
    double frac = p - i;
    double threshold = (BAYER[y & 3][x & 3] + 0.5) / 16.0;
    if (frac > threshold && i + 1 < n) ++i;
    return colours[std::clamp(i, 0, n - 1)];
}

int dither_shade(int x, int y, double t, int ramp, int lo, int hi) {
    std::vector<int> shades;
    for (int s = lo; lo <= hi ? s <= hi : s >= hi; s += lo <= hi ? 1 : -1) shades.push_back(ramp + s);
    return dither_pick(x, y, t, shades);
}

Canvas trim(const Canvas& c) {
    int x0 = c.width, y0 = c.height, x1 = -1, y1 = -1;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            if (c.at(x, y) != TRANSPARENT) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    if (x1 < 0) return Canvas(1, 1);
    return crop(c, x0, y0, x1 - x0 + 1, y1 - y0 + 1);
}

void paste_centred(Canvas& dst, const Canvas& src, int cx, int cy) { paste(dst, src, cx - src.width / 2, cy - src.height / 2); }

Lettering gold_lettering(int shadow, int offset) {
    Lettering style;
    style.fill = {CREAM + 7, CREAM + 6, GOLD + 7, GOLD + 6, GOLD + 5, GOLD + 4};
    style.edge_light = WHITE;
    style.outline = BLACK;
    style.outline_width = 2;
    style.shadow = shadow;
    style.shadow_dx = offset;
    style.shadow_dy = offset;
    return style;
}

Canvas paint_lettering(const std::string& text, const std::string& font_file, int pixel_size, const Lettering& style) {
    return paint_mask(trim(render_text(text, font_file, pixel_size, WHITE)), style);
}

Canvas paint_mask(const Canvas& glyphs, const Lettering& style) {
    int margin = style.outline_width + std::max(std::abs(style.shadow_dx), std::abs(style.shadow_dy)) + 1;
    Canvas body(glyphs.width + 2 * margin, glyphs.height + 2 * margin);
    for (int y = 0; y < glyphs.height; ++y)
        for (int x = 0; x < glyphs.width; ++x) {
            if (!glyphs.at(x, y)) continue;
            double t = glyphs.height > 1 ? double(y) / (glyphs.height - 1) : 0.0;
            int index = dither_pick(x, y, t, style.fill);
            // Strokes catch the light on their upper edges.
            if (style.edge_light >= 0 && (!glyphs.at(x, y - 1) || !glyphs.at(x, y - 2))) index = style.edge_light;
            body.set(x + margin, y + margin, index);
        }
    for (int i = 0; i < style.outline_width; ++i) outline(body, style.outline);
    if (style.shadow < 0) return trim(body);
    Canvas out(body.width, body.height);
    for (int y = 0; y < body.height; ++y)
        for (int x = 0; x < body.width; ++x)
            if (body.at(x, y)) out.set(x + style.shadow_dx, y + style.shadow_dy, style.shadow);
    paste(out, body, 0, 0);
    return trim(out);
}

}  // namespace art
