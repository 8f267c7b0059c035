// Fills and keyed, stretching blits on 8-bit surfaces, cut exactly to the clip rectangle.
#include "platform/surface.h"

#include <algorithm>
#include <cstring>

namespace platform {

bool create_surface(Surface& s, int width, int height) {
    if (width < 1 || height < 1 || width > 16384 || height > 16384) return false;
    s.width = width;
    s.height = height;
    s.pitch = width;
    s.pixels.assign(static_cast<size_t>(width) * height, 0);
    s.has_clip = false;
    s.clip = Rect{0, 0, width, height};
    return true;
}

void set_color_key(Surface& s, uint8_t key) {
    s.has_color_key = true;
    s.color_key = key;
}

void set_clip(Surface& s, const Rect& clip) {
    s.has_clip = true;
    s.clip = clip;
}

namespace {

// The surface's own bounds, narrowed to its clip rectangle when it has one.
Rect drawable_area(const Surface& s) {
    Rect r{0, 0, s.width, s.height};
    if (s.has_clip) {
        r.left = std::max(r.left, s.clip.left);
        r.top = std::max(r.top, s.clip.top);
        r.right = std::min(r.right, s.clip.right);
        r.bottom = std::min(r.bottom, s.clip.bottom);
    }
    return r;
}

}  // namespace

void fill_surface(Surface& s, const Rect* rect, uint8_t index) {
    Rect r{0, 0, s.width, s.height};
    if (rect) {
        r.left = std::max(0, rect->left);
        r.top = std::max(0, rect->top);
        r.right = std::min(s.width, rect->right);
        r.bottom = std::min(s.height, rect->bottom);
    }
    if (r.left >= r.right || r.top >= r.bottom) return;
    for (int y = r.top; y < r.bottom; ++y) std::memset(&s.pixels[static_cast<size_t>(y) * s.pitch + r.left], index, r.right - r.left);
}

bool blit_keyed(Surface& dst, const Rect& dst_rect, const Surface& src, const Rect& src_rect) {
    const int dw = dst_rect.right - dst_rect.left, dh = dst_rect.bottom - dst_rect.top;
    const int sw = src_rect.right - src_rect.left, sh = src_rect.bottom - src_rect.top;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return false;
    if (src_rect.left < 0 || src_rect.top < 0 || src_rect.right > src.width || src_rect.bottom > src.height) return false;

    const Rect area = drawable_area(dst);
    // 64-bit arithmetic: a rectangle far off screen must not overflow the cut.
    const int64_t x0 = std::max<int64_t>(dst_rect.left, area.left), x1 = std::min<int64_t>(dst_rect.right, area.right);
    const int64_t y0 = std::max<int64_t>(dst_rect.top, area.top), y1 = std::min<int64_t>(dst_rect.bottom, area.bottom);
    if (x0 >= x1 || y0 >= y1) return true;

    const bool keyed = src.has_color_key;
    const uint8_t key = src.color_key;
    if (sw == dw && sh == dh) {
        const int ox = static_cast<int>(x0 - dst_rect.left) + src_rect.left;
        const int oy = static_cast<int>(y0 - dst_rect.top) + src_rect.top;
        const int count = static_cast<int>(x1 - x0);
        for (int64_t y = y0; y < y1; ++y) {
            const uint8_t* s = &src.pixels[static_cast<size_t>(oy + (y - y0)) * src.pitch + ox];
            uint8_t* d = &dst.pixels[static_cast<size_t>(y) * dst.pitch + x0];
            if (!keyed) {
                std::memcpy(d, s, count);
                continue;
            }
            for (int i = 0; i < count; ++i)
                if (s[i] != key) d[i] = s[i];
        }
        return true;
    }
    // Stretch: destination pixel i of the full rectangle samples source pixel i * sw / dw,
    // so a cut rectangle shows exactly the pixels it would have shown uncut. The source
    // column of each destination column is worked out once per blit.
    static int source_column[16384];
    for (int64_t x = x0; x < x1; ++x) source_column[x - x0] = static_cast<int>(src_rect.left + (x - dst_rect.left) * sw / dw);
    const int count = static_cast<int>(x1 - x0);
    for (int64_t y = y0; y < y1; ++y) {
        const int64_t sy = src_rect.top + (y - dst_rect.top) * sh / dh;
        const uint8_t* row = &src.pixels[static_cast<size_t>(sy) * src.pitch];
        uint8_t* d = &dst.pixels[static_cast<size_t>(y) * dst.pitch + x0];
        if (!keyed) {
            for (int i = 0; i < count; ++i) d[i] = row[source_column[i]];
            continue;
        }
        for (int i = 0; i < count; ++i) {
            const uint8_t v = row[source_column[i]];
            if (v != key) d[i] = v;
        }
    }
    return true;
}

void blit_silhouette(Surface& dst, int x, int y, const Surface& src, uint8_t index) {
    const Rect area = drawable_area(dst);
    const int64_t x0 = std::max<int64_t>(x, area.left), x1 = std::min<int64_t>(int64_t{x} + src.width, area.right);
    const int64_t y0 = std::max<int64_t>(y, area.top), y1 = std::min<int64_t>(int64_t{y} + src.height, area.bottom);
    for (int64_t dy = y0; dy < y1; ++dy) {
        const uint8_t* s = &src.pixels[static_cast<size_t>(dy - y) * src.pitch + static_cast<size_t>(x0 - x)];
        uint8_t* d = &dst.pixels[static_cast<size_t>(dy) * dst.pitch + x0];
        for (int64_t i = 0; i < x1 - x0; ++i)
            if (!src.has_color_key || s[i] != src.color_key) d[i] = index;
    }
}

}  // namespace platform
