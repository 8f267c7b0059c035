// Fills and keyed, stretching blits on 8-bit surfaces, cut exactly to the clip rectangle.
#include "platform/surface.h"

#include <algorithm>
#include <bit>
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
    s.row_spans.clear();
    s.opaque = false;
    return true;
}

void set_color_key(Surface& s, uint8_t key) {
    s.has_color_key = true;
    s.color_key = key;
    s.row_spans.clear();
    s.opaque = false;
}

void measure_rows(Surface& s) {
    s.row_spans.assign(static_cast<size_t>(s.height), RowSpan{});
    s.opaque = true;
    if (!s.has_color_key) return;
    for (int y = 0; y < s.height; ++y) {
        const uint8_t* row = &s.pixels[static_cast<size_t>(y) * s.pitch];
        int begin = 0, end = s.width;
        while (begin < end && row[begin] == s.color_key) ++begin;
        while (end > begin && row[end - 1] == s.color_key) --end;
        bool solid = true;
        for (int x = begin; x < end && solid; ++x) solid = row[x] != s.color_key;
        s.row_spans[y] = RowSpan{static_cast<uint16_t>(begin), static_cast<uint16_t>(end), solid};
        s.opaque = s.opaque && solid && begin == 0 && end == s.width;
    }
}

void set_clip(Surface& s, const Rect& clip) {
    s.has_clip = true;
    s.clip = clip;
}

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

namespace {

// Eight pixels at once: the bytes of `src` that are not the key (`keys` holds it in every
// byte), and those of `dst` where it is, worked out without a branch per pixel.
inline uint64_t merge_keyed(uint64_t src, uint64_t dst, uint64_t keys) {
    constexpr uint64_t LOW7 = 0x7F7F7F7F7F7F7F7Full;
    const uint64_t x = src ^ keys;  // zero bytes where the source is the key
    const uint64_t high = (((x & LOW7) + LOW7) | x) & ~LOW7;  // 0x80 in every byte that is not
    const uint64_t take = (high >> 7) * 0xFF;
    return (src & take) | (dst & ~take);
}

// Copies the n source pixels that are not `key`, eight at a time.
void copy_keyed(uint8_t* d, const uint8_t* s, int n, uint8_t key) {
    const uint64_t keys = 0x0101010101010101ull * key;
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t src, dst;
        std::memcpy(&src, s + i, 8);
        std::memcpy(&dst, d + i, 8);
        dst = merge_keyed(src, dst, keys);
        std::memcpy(d + i, &dst, 8);
    }
    for (; i < n; ++i)
        if (s[i] != key) d[i] = s[i];
}

// A row copy; tiles are 32 pixels wide, and a copy of a size known here is a few moves in
// line instead of a call into the library.
inline void copy_row(uint8_t* d, const uint8_t* s, int n) {
    if (n == 32)
        std::memcpy(d, s, 32);
    else
        std::memcpy(d, s, static_cast<size_t>(n));
}

// One pixel of a stretch: a keyed one keeps what is there where the source is the key
// (a select, not a branch).
template <bool KEYED>
inline void put_pixel(uint8_t* d, uint8_t v, uint8_t key) {
    if constexpr (KEYED)
        *d = v != key ? v : *d;
    else
        *d = v;
}

// Writes each of the n source pixels k times in a row (K is k when known at compile time).
template <bool KEYED, int K>
void repeat_each(uint8_t* d, const uint8_t* s, int n, int k, uint8_t key) {
    const int times = K ? K : k;
    for (int j = 0; j < n; ++j)
        for (int r = 0; r < times; ++r) put_pixel<KEYED>(d + j * times + r, s[j], key);
}

// Four pixels a b c d as the eight a a b b c c d d (in memory order, little-endian words).
inline uint64_t double_bytes(uint32_t four) {
    uint64_t x = four;
    x = (x | (x << 16)) & 0x0000FFFF0000FFFFull;
    x = (x | (x << 8)) & 0x00FF00FF00FF00FFull;
    return x | (x << 8);
}

// repeat_each for k = 2, the progress map's stretch: four source pixels to a step.
template <bool KEYED>
void double_each(uint8_t* d, const uint8_t* s, int n, uint8_t key) {
    static_assert(std::endian::native == std::endian::little, "double_bytes lays pixels out little-endian");
    const uint64_t keys = 0x0101010101010101ull * key;
    int j = 0;
    for (; j + 4 <= n; j += 4) {
        uint32_t four;
        std::memcpy(&four, s + j, 4);
        uint64_t out = double_bytes(four);
        if constexpr (KEYED) {
            uint64_t there;
            std::memcpy(&there, d + 2 * j, 8);
            out = merge_keyed(out, there, keys);
        }
        std::memcpy(d + 2 * j, &out, 8);
    }
    repeat_each<KEYED, 2>(d + 2 * j, s + j, n - j, 2, key);
}

// Writes `count` pixels of a row stretched k times across: the pixel `first` + i of the full
// destination row shows source pixel (first + i) / k. Cut runs at either end come first and last.
template <bool KEYED>
void stretch_row_whole(uint8_t* d, const uint8_t* row, int first, int count, int k, uint8_t key) {
    int sx = first / k;
    const int lead = std::min((k - first % k) % k, count);
    for (int i = 0; i < lead; ++i) put_pixel<KEYED>(d + i, row[sx], key);
    if (lead > 0) ++sx;
    d += lead;
    count -= lead;
    const int whole = count / k;
    if (k == 2)
        double_each<KEYED>(d, row + sx, whole, key);
    else if (k == 3)
        repeat_each<KEYED, 3>(d, row + sx, whole, k, key);
    else
        repeat_each<KEYED, 0>(d, row + sx, whole, k, key);
    d += whole * k;
    sx += whole;
    for (int i = 0; i < count - whole * k; ++i) put_pixel<KEYED>(d + i, row[sx], key);
}

// The stretch when the width grows a whole number k of times (any height ratio): no column
// table, each source pixel written k times. A measured row draws only the destination columns
// over its span; a row that samples the same source row as the row above, where that row drew
// every pixel it covered, is a copy of it.
void stretch_whole_across(Surface& dst, const Rect& dst_rect, const Surface& src, const Rect& src_rect, const Rect& cut) {
    const int dw = dst_rect.right - dst_rect.left, dh = dst_rect.bottom - dst_rect.top;
    const int sw = src_rect.right - src_rect.left, sh = src_rect.bottom - src_rect.top;
    const int k = dw / sw;
    // Destination columns from here on are counted from dst_rect.left; source ones from src_rect.left.
    const int cut_first = cut.left - dst_rect.left, cut_end = cut.right - dst_rect.left;
    const bool measured = src.has_color_key && src.row_spans.size() == static_cast<size_t>(src.height);
    int64_t above = -1;  // the source row the row above sampled, when it drew every pixel it covered
    for (int y = cut.top; y < cut.bottom; ++y) {
        const int64_t sy = src_rect.top + (int64_t{y} - dst_rect.top) * sh / dh;
        int first = cut_first, end = cut_end;
        bool keyed = src.has_color_key;
        if (measured) {
            const RowSpan& span = src.row_spans[sy];
            first = static_cast<int>(std::max<int64_t>(first, int64_t{span.begin - src_rect.left} * k));
            end = static_cast<int>(std::min<int64_t>(end, int64_t{span.end - src_rect.left} * k));
            keyed = !span.solid;
        }
        if (first >= end) {
            above = -1;
            continue;  // nothing but the key where this row samples
        }
        uint8_t* d = &dst.pixels[static_cast<size_t>(y) * dst.pitch + cut.left + (first - cut_first)];
        if (!keyed && sy == above) {
            std::memcpy(d, d - dst.pitch, end - first);
            continue;
        }
        const uint8_t* row = &src.pixels[static_cast<size_t>(sy) * src.pitch + src_rect.left];
        if (keyed)
            stretch_row_whole<true>(d, row, first, end - first, k, src.color_key);
        else
            stretch_row_whole<false>(d, row, first, end - first, k, src.color_key);
        above = keyed ? -1 : sy;
    }
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
        const bool measured = src.row_spans.size() == static_cast<size_t>(src.height);
        // No key to skip (a tile, a backdrop): every row is a straight copy.
        if (!keyed || (measured && src.opaque)) {
            for (int64_t y = y0; y < y1; ++y) {
                const int sy = oy + static_cast<int>(y - y0);
                copy_row(&dst.pixels[static_cast<size_t>(y) * dst.pitch + x0], &src.pixels[static_cast<size_t>(sy) * src.pitch + ox], count);
            }
            return true;
        }
        for (int64_t y = y0; y < y1; ++y) {
            const int sy = oy + static_cast<int>(y - y0);
            const uint8_t* s = &src.pixels[static_cast<size_t>(sy) * src.pitch + ox];
            uint8_t* d = &dst.pixels[static_cast<size_t>(y) * dst.pitch + x0];
            if (!measured) {
                copy_keyed(d, s, count, key);
                continue;
            }
            // Only the row's span can hold anything to draw; a span with no key in it is a plain copy.
            const RowSpan& span = src.row_spans[sy];
            const int from = std::max<int>(span.begin - ox, 0), to = std::min<int>(span.end - ox, count);
            if (from >= to) continue;
            if (span.solid)
                copy_row(d + from, s + from, to - from);
            else
                copy_keyed(d + from, s + from, to - from, key);
        }
        return true;
    }
    if (dw % sw == 0) {
        stretch_whole_across(dst, dst_rect, src, src_rect, Rect{static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1), static_cast<int>(y1)});
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
