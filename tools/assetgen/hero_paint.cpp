// Painting helpers for the hero, HUD and portrait art.
#include "hero_paint.h"

#include <algorithm>

namespace art {

void stamp(Canvas& dst, Canvas layer, int x, int y) {
    outline(layer, BLACK);
    paste(dst, layer, x, y);
}

void round_blob(Canvas& c, int x, int y, int w, int h, int ramp, int mid) {
    fill_ellipse_box(c, x, y, w, h, ramp + mid);
    shade_ellipse(c, x, y, w, h, ramp, std::max(0, mid - 1), std::min(7, mid + 1));
}

void thick_path(Canvas& c, const std::vector<std::pair<int, int>>& points, int radius, int index) {
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        if (radius <= 0)
            line(c, points[i].first, points[i].second, points[i + 1].first, points[i + 1].second, index);
        else
            thick_line(c, points[i].first, points[i].second, points[i + 1].first, points[i + 1].second, radius, index);
    }
}

void bevel_frame(Canvas& c, int x, int y, int w, int h, int thickness, int ramp) {
    for (int t = 0; t < thickness; ++t) {
        // The outermost and innermost rings are darkest, the middle ones carry the light.
        int depth = std::min(t, thickness - 1 - t);
        int lit = std::min(7, 3 + 2 * depth + 1);
        int shade = std::max(0, lit - 3);
        int xi = x + t, yi = y + t, wi = w - 2 * t, hi = h - 2 * t;
        if (wi <= 0 || hi <= 0) break;
        for (int i = xi; i < xi + wi; ++i) {
            c.set(i, yi, ramp + lit);
            c.set(i, yi + hi - 1, ramp + shade);
        }
        for (int j = yi; j < yi + hi; ++j) {
            c.set(xi, j, ramp + lit);
            c.set(xi + wi - 1, j, ramp + shade);
        }
    }
}

Canvas silhouette(const Canvas& src, int index) {
    Canvas out = src;
    for (auto& p : out.pixels)
        if (p) p = static_cast<uint8_t>(index);
    return out;
}

}  // namespace art
